// The test archive in the whole program: a failed start keeps the test, and a
// program killed while it receives gives back every row it showed.
#include "banco_app.h"

#include "display/frm_cmd.h"
#include "display/frm_grafici.h"
#include "display/lista_salti.h"
#include "files/comandi_file.h"
#include "files/formato_archivio.h"
#include "platform/grafico.h"
#include "support/board_sim.h"
#include "support/file_prova.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList righe_lista(Applicazione& a) {
    QStringList r;
    for (int c = 0; c < 6; ++c)
        for (int i = 0; i < a.grafici().lista(c)->count(); ++i) r << a.grafici().lista(c)->testo(i);
    return r;
}

}  // namespace

TEST(ArchivioProgramma, OnConUnaSchedaMutaDopoUnaProvaLasciaLaProvaEdELInterruttoreSpento) {
    Sim sim({"--guasto", "nessuna-risposta"});
    ASSERT_FALSE(sim.percorso.isEmpty());
    BancoApp b;
    b.con_scheda_seriale(sim.percorso, 4);
    b.avvia();
    Applicazione& a = *b.app;
    ASSERT_FALSE(a.collegamento().connesso);
    ASSERT_TRUE(a.collegamento().invio_seriale);  // the port is open: the start will ask the board

    // A finished test on screen.
    const QString csv = b.cartella.filePath("prova.csv");
    const std::vector<Salto> salti{{512, 32.1, 201, 12.3, 1234.5, 1}, {498, 30.4, 187, 11.1, 999.25, 2}};
    ASSERT_TRUE(scrivi_file(csv, formato_archivio::testo_csv({"Atleta", "Squat", QDateTime::currentDateTime(), {}}, salti)));
    ASSERT_TRUE(a.file().apri_file_csv(csv));
    const auto prima = a.prova().salti();
    const QStringList righe = righe_lista(a);
    ASSERT_EQ(a.grafici().lista(0)->count(), 2);

    QTest::mouseClick(a.comandi().Button_On, Qt::LeftButton);
    EXPECT_EQ(b.messaggi.testi(), QStringList{"Scheda non connessa su com4"});
    EXPECT_EQ(a.prova().salti(), prima);
    EXPECT_EQ(righe_lista(a), righe);
    EXPECT_EQ(a.grafici().grafico().numero_punti(1), 2);
    EXPECT_EQ(a.grafici().grafico().numero_punti(2), 2);
    EXPECT_FALSE(a.comandi().Button_On->Value());
    EXPECT_EQ(a.comandi().Button_On->text(), "ON/OFF");
    EXPECT_FALSE(a.collegamento().acquisizione);
    // Only the start's "$" reached the board: no stop exchange ran after it.
    QTest::qWait(100);
    EXPECT_EQ(sim.uscita().count("ignorato 24"), 1 + 1) << sim.uscita().toStdString();  // detection's "$", start's "$"
    EXPECT_FALSE(sim.uscita().contains("ignorato 54"));
}

namespace {

// One program folder whose program is started, killed at a random moment once
// rows are shown, and started again; each start must give back the rows shown
// before the kill.
struct Catena {
    QTemporaryDir cartella;
    QProcess p;
    QString uscita;
    QStringList mostrate;        // "k fields" of the rows shown by this run
    QStringList attese;          // those of the run before
    qint64 uccidi_a = -1;        // ms on the chain's clock
    int giri = 0;
    bool finita = false;
    QElapsedTimer orologio;
    QRandomGenerator caso;
    uint32_t seme;

    Catena(uint32_t s) : caso(s), seme(s) { orologio.start(); }

    void avvia() {
        uscita.clear();
        mostrate.clear();
        uccidi_a = -1;
        p.start(QStringLiteral(HOPA_BINARI "/sim/hopa-pty/hopa-pty"),
                {cartella.path(), programma_board_sim, QString::number(seme + giri)});
    }

    // Reads what the program printed; gives the lines the test cares about.
    void leggi() {
        uscita += QString::fromLatin1(p.readAllStandardOutput());
        qsizetype i;
        while ((i = uscita.indexOf(u'\n')) >= 0) {
            const QString r = uscita.left(i);
            uscita.remove(0, i + 1);
            riga(r);
        }
    }

    void riga(const QString& r) {
        if (r.startsWith("R ")) ripristinate << r.mid(2);
        else if (r.startsWith("S ")) mostrate << r.mid(2);
        else if (r == "ACCESO") acceso = true;
        else if (r.startsWith("MESSAGGIO")) messaggi << r;
        if (r.startsWith("S ") && uccidi_a < 0)
            uccidi_a = orologio.elapsed() + 30 + static_cast<qint64>(caso.bounded(400));
    }

    QStringList ripristinate, messaggi;
    bool acceso = false;
};

}  // namespace

// A real program receiving from board-sim through a pty at 240 frames/s is
// killed (SIGKILL) at 20 random moments, by two chains that run side by side.
// After each kill a new start restores the interrupted test: every row the
// dead program showed comes back, bit-exact in all six fields.
TEST(ArchivioProgramma, VentiUccisioniNessunaRigaMostrataPersa) {
    ASSERT_TRUE(QFileInfo(HOPA_BINARI "/sim/hopa-pty/hopa-pty").isExecutable());
    constexpr int uccisioni_per_catena = 10;
    std::vector<std::unique_ptr<Catena>> catene;
    catene.push_back(std::make_unique<Catena>(1000));
    catene.push_back(std::make_unique<Catena>(2000));
    for (auto& c : catene) c->avvia();

    QElapsedTimer durata;
    durata.start();
    int uccisioni = 0, ripristini = 0, righe_confrontate = 0;
    while (std::any_of(catene.begin(), catene.end(), [](auto& c) { return !c->finita; })) {
        ASSERT_LT(durata.elapsed(), 100000) << "the chains did not end";
        QTest::qWait(5);
        for (auto& cp : catene) {
            Catena& c = *cp;
            if (c.finita) continue;
            c.leggi();
            if (c.p.state() == QProcess::NotRunning) {
                c.leggi();
                FAIL() << "hopa-pty ended by itself: " << c.p.readAllStandardError().toStdString() << c.messaggi.join('|').toStdString();
            }
            if (!c.acceso) continue;
            if (!c.attese.isEmpty()) {
                // The start restored the test of the run killed before it.
                ASSERT_GE(c.ripristinate.size(), c.attese.size()) << "round " << c.giri;
                EXPECT_LE(c.ripristinate.size(), c.attese.size() + 1) << "round " << c.giri;
                EXPECT_EQ(c.ripristinate.mid(0, c.attese.size()), c.attese) << "round " << c.giri;
                EXPECT_TRUE(c.messaggi.filter("archivio").isEmpty()) << c.messaggi.join('|').toStdString();
                ++ripristini;
                righe_confrontate += static_cast<int>(c.attese.size());
                c.attese.clear();
            }
            if (c.giri == uccisioni_per_catena) {
                c.p.kill();
                c.p.waitForFinished(5000);
                c.finita = true;
                continue;
            }
            if (c.uccidi_a >= 0 && c.orologio.elapsed() >= c.uccidi_a) {
                c.p.kill();
                ASSERT_TRUE(c.p.waitForFinished(5000));
                c.leggi();  // the rows it printed before it died
                ASSERT_FALSE(c.mostrate.isEmpty());
                c.attese = c.mostrate;
                c.ripristinate.clear();
                c.messaggi.clear();
                c.acceso = false;
                ++c.giri;
                ++uccisioni;
                c.avvia();
            }
        }
    }
    EXPECT_EQ(uccisioni, 2 * uccisioni_per_catena);
    EXPECT_EQ(ripristini, uccisioni);
    EXPECT_GE(righe_confrontate, uccisioni);
    std::printf("%d uccisioni, %d righe ridate bit per bit in %.1f s\n", uccisioni, righe_confrontate,
                durata.elapsed() / 1000.0);
}
