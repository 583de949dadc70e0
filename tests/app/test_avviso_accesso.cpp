// A board attached but not openable: one message, after the main window shows,
// and the start-up goes on; "Informazioni su..." says where things are kept.
#include "banco_app.h"

#include "app/avviso_accesso.h"
#include "app/frm_main.h"
#include "app/testo_informazioni.h"

#include <QAction>
#include <QDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
// The simulated board, refused by the system as soon as the library connects.
class SchedaRifiutata : public SchedaHidSimulata {
public:
    bool Connect(QObject* ricevitore) override {
        const bool r = SchedaHidSimulata::Connect(ricevitore);
        QTimer::singleShot(0, [this] {
            if (al_accesso_negato) al_accesso_negato(QStringLiteral("niente permesso su /dev/hidraw3"));
        });
        return r;
    }
};
}  // namespace

TEST(AvvisoAccesso, UnSoloMessaggioDopoCheLaFinestraPrincipaleCompare) {
    BancoApp b;
    auto scheda = std::make_unique<SchedaRifiutata>();
    scheda->inserisci();
    SchedaRifiutata* s = scheda.get();
    b.scheda = std::move(scheda);
    size_t durante_avvio = 99;
    b.avvia([&](OpzioniAvvio& o) {
        o.configurazione_modale = [&](Frm_configura&) { durante_avvio = b.messaggi.mostrati.size(); };
    });
    EXPECT_EQ(durante_avvio, 0u) << "the report came in the start-up pause and must wait for the main window";
    ASSERT_TRUE(BancoApp::attendi([&] { return !b.messaggi.mostrati.empty(); }, 2000));
    EXPECT_EQ(b.messaggi.mostrati[0].testo, "niente permesso su /dev/hidraw3");
    EXPECT_EQ(b.messaggi.mostrati[0].icona, Icona::Esclamazione);
    EXPECT_EQ(b.app->principale().windowTitle(), "Hopa 1.0.0 Connesso via HID");  // start-up went on

    s->al_accesso_negato(QStringLiteral("ancora"));
    QCoreApplication::processEvents();
    EXPECT_EQ(b.messaggi.mostrati.size(), 1u);
}

TEST(AvvisoAccesso, ConLaFinestraGiaVisibileSubito) {
    SchedaHidSimulata libreria;
    MessaggiFinti messaggi;
    QWidget finestra;
    finestra.show();
    mostra_avvisi_accesso(libreria, messaggi, finestra, QStringLiteral("Hopa"));
    libreria.al_accesso_negato(QStringLiteral("a"));
    libreria.al_accesso_negato(QStringLiteral("b"));
    EXPECT_EQ(messaggi.testi(), QStringList{"a"});
    EXPECT_EQ(messaggi.mostrati[0].titolo, "Hopa");
}

TEST(TestoInformazioni, RegistroEArchivioDelleProve) {
    const QString con_atleta =
        testo_informazioni("Hopa 1.0.0", "/home/c/.local/share/Hopa/Hopa", "/home/c/.local/share/Hopa/Hopa/U14/Rossi/");
    EXPECT_TRUE(con_atleta.startsWith("Hopa 1.0.0\n")) << con_atleta.toStdString();
    EXPECT_TRUE(con_atleta.contains(QDir::toNativeSeparators("/home/c/.local/share/Hopa/Hopa\n")));
    EXPECT_TRUE(con_atleta.endsWith(QDir::toNativeSeparators("/U14/Rossi/prove")));
    const QString senza = testo_informazioni("Hopa 1.0.0", "/opt/hopa", "");
    EXPECT_TRUE(senza.endsWith(QDir::toNativeSeparators("\n/opt/hopa/prove")));
    EXPECT_TRUE(senza.contains("senza un atleta scelto"));
}
