#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "files/frm_progress.h"
#include "report/comandi_rapporto.h"
#include "support/file_prova.h"
#include "support/finti.h"
#include "support/stampa_finta.h"
#include "testo_pdf.h"

#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Banco {
    ModelloProva prova;
    SessioneAtleta sessione;
    QTemporaryDir dir;
    DialogoFileFinto dialogo;
    DialogoStampaFinto stampa;
    MessaggiFinti messaggi;
    ComandiRapporto comandi{prova, sessione, QStringLiteral("Hopa 9.8.7"), dialogo, stampa, messaggi};

    Banco() {
        comandi.adesso = [] { return QDateTime(QDate(2025, 4, 1), QTime(8, 0)); };
        prova.adesso = [] { return QDateTime(QDate(2025, 3, 14), QTime(10, 42)); };
        prova.azzera();  // the test began then
        sessione.squadra = QStringLiteral("Atletica Valdora");
        sessione.nome_utente = QStringLiteral("Ilvor Darsena");
        sessione.macchina_utente = QStringLiteral("Salti: 30/s");
        sessione.cartella_utente = dir.filePath(QStringLiteral("atleta"));
        sessione.t_volo_min = 20;
        QDir(dir.path()).mkdir(QStringLiteral("atleta"));
    }
    void riempi(int n) {
        for (int k = 1; k <= n; ++k) {
            prova.aggiungi_salto(150 + k % 90);
            prova.completa_salto(400 + k % 150);
        }
    }
    QString percorso(const QString& nome) const { return dir.filePath(nome); }
};

TEST(ComandiRapporto, EsportaNelFileSceltoDalDialogoSenzaLasciareAltro) {
    Banco b;
    b.riempi(3);
    const QString scelto = b.percorso(QStringLiteral("atleta/scelto.pdf"));
    b.dialogo.risposte = {scelto};
    b.comandi.mnuFileEsporta_rapporto();

    ASSERT_EQ(b.dialogo.visti.size(), 1u);
    const RichiestaFile& r = b.dialogo.visti[0].richiesta;
    EXPECT_TRUE(b.dialogo.visti[0].salvataggio);
    EXPECT_EQ(r.titolo, "Esporta rapporto PDF");
    EXPECT_EQ(r.cartella_iniziale, b.percorso(QStringLiteral("atleta")));
    EXPECT_EQ(r.nome_suggerito, "Ilvor Darsena_Salti_ 30_s_2025-03-14.pdf");
    EXPECT_EQ(r.estensione_predefinita, "pdf");

    EXPECT_TRUE(b.messaggi.mostrati.empty()) << b.messaggi.testi().join(u'|').toStdString();
    EXPECT_EQ(file_sotto(b.dir.path()), QStringList{"atleta/scelto.pdf"});
    EXPECT_EQ(pagine_pdf(scelto), 1);
    const auto righe = righe_pdf(scelto);
    EXPECT_TRUE(in_fila(righe, {"Atleta:", "Ilvor", "Darsena"}));
    EXPECT_TRUE(in_fila(righe, {"Numero", "salti:", "3"}));
    EXPECT_TRUE(in_fila(righe, {"Stampato", "il", "01/04/2025", "08:00"}));
    EXPECT_TRUE(in_fila(righe, {"Hopa", "9.8.7"}));
    // The progress window counted the page and is gone.
    EXPECT_EQ(b.comandi.progresso().bar()->maximum(), 1);
    EXPECT_FALSE(b.comandi.progresso().isVisible());

    // Cancelling writes nothing and says nothing; a test of unknown date suggests today's.
    b.prova.adesso = [] { return QDateTime(); };
    const auto& e = b.prova.salti().elementi();
    b.prova.sostituisci({e.begin() + 1, e.end()});
    b.comandi.mnuFileEsporta_rapporto();
    EXPECT_TRUE(b.dialogo.visti[1].richiesta.nome_suggerito.endsWith(QStringLiteral("_2025-04-01.pdf")));
    EXPECT_EQ(file_sotto(b.dir.path()), QStringList{"atleta/scelto.pdf"});
    EXPECT_TRUE(b.messaggi.mostrati.empty());
}

TEST(ComandiRapporto, ProvaVuotaNonChiedeNulla) {
    Banco b;
    b.comandi.mnuFileEsporta_rapporto();
    b.comandi.mnuFileStampa_rapporto();
    EXPECT_FALSE(b.comandi.esporta_pdf(b.percorso(QStringLiteral("vuota.pdf"))));
    EXPECT_EQ(b.messaggi.testi(), QStringList(3, QStringLiteral("Lista salti vuota!")));
    EXPECT_TRUE(b.dialogo.visti.empty());
    EXPECT_TRUE(b.stampa.chiesti.empty());
    EXPECT_TRUE(file_sotto(b.dir.path()).isEmpty());
}

TEST(ComandiRapporto, DestinazioneNonScrivibileLoDiceENonLasciaFile) {
    Banco b;
    b.riempi(5);
    ASSERT_TRUE(scrivi_file(b.percorso(QStringLiteral("nota.txt")), "nota"));
    QDir(b.dir.path()).mkdir(QStringLiteral("cartella"));
    struct Caso {
        QString percorso, motivo;
    };
    const std::vector<Caso> casi = {
        {b.percorso(QStringLiteral("manca/r.pdf")), QStringLiteral("La cartella non esiste.")},
        {b.percorso(QStringLiteral("nota.txt/r.pdf")), QStringLiteral("La cartella non esiste.")},
        {b.percorso(QStringLiteral("cartella")), QStringLiteral("Esiste già una cartella con questo nome.")},
        {b.percorso(QString(300, u'x') + QStringLiteral(".pdf")),
         QStringLiteral("Il file non può essere scritto: nome del file troppo lungo.\n")},
    };
    for (const Caso& c : casi) {
        b.messaggi.mostrati.clear();
        EXPECT_FALSE(b.comandi.esporta_pdf(c.percorso)) << c.percorso.toStdString();
        ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
        const QString& testo = b.messaggi.mostrati[0].testo;
        EXPECT_TRUE(testo.startsWith(QStringLiteral("Il rapporto non è stato salvato in:"))) << testo.toStdString();
        EXPECT_TRUE(testo.contains(QDir::toNativeSeparators(c.percorso)));
        EXPECT_TRUE(testo.contains(c.motivo)) << testo.toStdString();
        EXPECT_TRUE(testo.contains(QStringLiteral("Scegliere un'altra cartella o un altro nome e riprovare.")));
    }
    EXPECT_EQ(tutto_sotto(b.dir.path()), (QStringList{"atleta", "cartella", "nota.txt"}));
    EXPECT_EQ(contenuto(b.percorso(QStringLiteral("nota.txt"))), "nota");
}

TEST(ComandiRapporto, StampaLePagineSceltePerIlDialogoDiStampa) {
    Banco b;
    b.riempi(120);
    b.stampa.percorso = b.percorso(QStringLiteral("stampante.pdf"));
    b.comandi.mnuFileStampa_rapporto();
    ASSERT_EQ(b.stampa.chiesti.size(), 1u);
    EXPECT_EQ(b.stampa.chiesti[0].titolo, "Rapporto prova");
    EXPECT_EQ(b.stampa.chiesti[0].pagine, 2);
    EXPECT_EQ(pagine_pdf(b.stampa.percorso), 2);

    // Page 2 alone.
    b.stampa.pagine_scelte.addPage(2);
    b.comandi.mnuFileStampa_rapporto();
    EXPECT_EQ(pagine_pdf(b.stampa.percorso), 1);
    const auto righe = righe_pdf(b.stampa.percorso);
    EXPECT_TRUE(in_fila(righe, {"pagina", "2", "di", "2"}));
    EXPECT_TRUE(in_fila(righe, {"120", QString::number(400 + 120 % 150)}));
    EXPECT_FALSE(in_fila(righe, {"Sintesi"}));  // page 1 was not drawn
    EXPECT_TRUE(b.messaggi.mostrati.empty());

    // Cancelled: nothing printed, nothing said. A printer that cannot be used: a message.
    b.stampa.percorso.clear();
    b.comandi.mnuFileStampa_rapporto();
    EXPECT_TRUE(b.messaggi.mostrati.empty());
    b.stampa.percorso = b.percorso(QStringLiteral("manca/stampante.pdf"));
    b.comandi.mnuFileStampa_rapporto();
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(b.messaggi.mostrati[0].testo.startsWith(QStringLiteral("La stampa del rapporto non è riuscita")));
}

// The board's events run while the progress window is up: jumps arriving then go
// to the test, the report keeps the jumps it started with.
TEST(ComandiRapporto, SaltiArrivatiDuranteIlRapportoNonLoCambiano) {
    Banco b;
    b.riempi(2000);
    QTimer arrivo;
    int arrivati = 0;
    QObject::connect(&arrivo, &QTimer::timeout, [&] {
        b.riempi(1);
        ++arrivati;
    });
    arrivo.start(0);
    const QString pdf = b.percorso(QStringLiteral("r.pdf"));
    EXPECT_TRUE(b.comandi.esporta_pdf(pdf));
    arrivo.stop();
    EXPECT_GT(arrivati, 0);
    EXPECT_EQ(b.prova.numero(), 2000 + arrivati);
    const auto righe = righe_pdf(pdf);
    EXPECT_TRUE(in_fila(righe, {"Numero", "salti:", "2000"}));
    EXPECT_TRUE(in_fila(righe, {"2000", QString::number(400 + 2000 % 150)}));
    EXPECT_FALSE(in_fila(righe, {"2001", QString::number(400 + 2001 % 150)}));
}

}  // namespace
