// The serial device vanishing in the middle of a test, on the fake port and with
// the simulated board killed while it streams frames through a pseudo-terminal
// into the QSerialPort adapter. The loss is told once (caption, switch, message),
// the program keeps running with its jumps, nothing waits on the dead line, and
// once a board is found again the port opens and the test carries on.
#include "banco_seriale.h"
#include "board/apertura_porta.h"
#include "board/collegamento_seriale.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/stato_collegamento.h"
#include "platform/archivio_impostazioni.h"
#include "support/board_sim.h"
#include "support/finti.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Frames 30 ms apart, each a jump of 450 ms flight.
QByteArray frame(int n) { return QByteArray("250000 450000 30\n").repeated(n); }

bool inizia(const QString& testo, const char* inizio) { return testo.startsWith(QString::fromUtf8(inizio)); }

}  // namespace

TEST(GuastiSeriale, LaPortaPersaSiDiceUnaVoltaEFermaLAcquisizione) {
    BancoSeriale b;
    SchedaSerialeFinta scheda(*b.porta);
    b.porta->numero = 3;
    b.st.connesso = true;
    Open_comm(*b.porta, b.st, b.messaggi);
    ASSERT_TRUE(b.c->avvia_acquisizione());
    int spegnimenti = 0;
    b.c->alla_perdita = [&] {
        ++spegnimenti;
        EXPECT_TRUE(b.messaggi.mostrati.empty()) << "the switch goes off before the message";
        b.c->arresta_acquisizione();  // what the switch going off runs
    };
    for (auto [tc, tv] : {std::pair{1, 1}, {300000, 500000}, {250000, 450000}}) b.porta->ricevi(b.frame(tc, tv));
    ASSERT_EQ(b.prova.numero(), 2);
    const Salti prima = b.prova.salti();
    b.porta->scritto.clear();
    const int32_t t0 = b.orologio.adesso;

    b.porta->perdi();
    b.porta->perdi();  // told twice: still one loss
    EXPECT_EQ(spegnimenti, 1);
    EXPECT_LT(b.orologio.adesso - t0, 100) << "no reply waited for on the dead line";
    EXPECT_TRUE(b.porta->scritto.isEmpty());
    EXPECT_FALSE(b.st.connesso || b.st.acquisizione || b.st.scarta_primo || b.st.invio_seriale);
    EXPECT_EQ(b.st.testo_connessione(), " Disconnesso");
    EXPECT_EQ(b.didascalie.back(), b.st.testo_versione + " Disconnesso");
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(inizia(b.messaggi.mostrati[0].testo, "Scheda scollegata: la porta com3 non risponde più."))
        << b.messaggi.mostrati[0].testo.toStdString();
    EXPECT_EQ(b.messaggi.mostrati[0].icona, Icona::Esclamazione);
    EXPECT_EQ(b.prova.salti(), prima);
}

TEST(GuastiSeriale, PortaPersaDuranteLAvvioOSenzaSchedaNota) {
    // Lost while the start waits for its echo: the loss is the one message.
    BancoSeriale b;
    b.st.connesso = true;
    Open_comm(*b.porta, b.st, b.messaggi);
    b.porta->risponditore = [&](const QByteArray&) { QTimer::singleShot(0, [&] { b.porta->perdi(); }); };
    EXPECT_FALSE(b.c->avvia_acquisizione());
    EXPECT_FALSE(b.st.acquisizione);
    EXPECT_EQ(b.st.testo_connessione(), " Disconnesso");
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(inizia(b.messaggi.mostrati[0].testo, "Scheda scollegata"));

    // A port opened with no board found on it: it is only closed.
    BancoSeriale n;
    Open_comm(*n.porta, n.st, n.messaggi);
    int spegnimenti = 0;
    n.c->alla_perdita = [&] { ++spegnimenti; };
    n.porta->perdi();
    EXPECT_FALSE(n.st.invio_seriale);
    EXPECT_EQ(spegnimenti, 0);
    EXPECT_TRUE(n.messaggi.mostrati.empty());
    EXPECT_EQ(n.st.testo_connessione(), " non connesso");
}

TEST(GuastiSeriale, LaSchedaSparisceAMetaProvaEPoiTorna) {
    QTemporaryDir d;
    auto sim = std::make_unique<Sim>(QStringList{"--frequenza", "240", "--copione", scrivi_copione(d, frame(400))});
    ASSERT_FALSE(sim->percorso.isEmpty());
    StatoCollegamento st;
    SessioneAtleta sessione;
    ModelloProva prova;
    ArchivioMemoria archivio;
    MessaggiFinti messaggi;
    BeepFinto beep;
    archivio.scrivi("Properties", "PortPath", sim->percorso);
    CollegamentoSeriale c(st, archivio, messaggi, beep, sessione, prova, nullptr, contatore_di_sistema(),
                          porta_da_archivio(archivio));
    Open_comm(c.porta(), st, messaggi);
    ASSERT_TRUE(c.porta().aperta());
    c.porta().imposta_dtr(true);
    c.porta().imposta_rts(true);
    st.connesso = true;
    ASSERT_TRUE(c.avvia_acquisizione());
    ASSERT_TRUE(QTest::qWaitFor([&] { return prova.numero() >= 4; }, 5000)) << prova.numero();

    int spegnimenti = 0;
    c.alla_perdita = [&] { ++spegnimenti; };
    QStringList didascalie;
    QObject::connect(&st, &StatoCollegamento::didascalia_cambiata, [&](const QString& d) { didascalie << d; });

    // The device goes away with the board in the middle of its stream.
    sim->uccidi();
    sim.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return spegnimenti > 0; }, 3000));
    QTest::qWait(300);  // the event loop runs on over the dead line
    EXPECT_EQ(spegnimenti, 1);
    EXPECT_FALSE(st.connesso || st.acquisizione || st.invio_seriale);
    EXPECT_EQ(didascalie, QStringList{st.testo_versione + " Disconnesso"});
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(inizia(messaggi.mostrati[0].testo, "Scheda scollegata"));
    const int32_t salti = prova.numero();
    ASSERT_GE(salti, 4);
    const Salto primo = prova.salti()[1];
    EXPECT_EQ(primo.t_volo, 450);
    QElapsedTimer t;
    t.start();
    c.arresta_acquisizione();  // what the user does next: must come back, not hang
    EXPECT_LT(t.elapsed(), 3000);
    EXPECT_FALSE(st.acquisizione);
    EXPECT_EQ(prova.numero(), salti);
    EXPECT_EQ(prova.salti()[1], primo);

    // A board again, on a new device: found as the serial dialog's search finds it,
    // and the same test goes on.
    Sim di_nuovo({"--frequenza", "240", "--copione", scrivi_copione(d, frame(6))});
    ASSERT_FALSE(di_nuovo.percorso.isEmpty());
    archivio.scrivi("Properties", "PortPath", di_nuovo.percorso);
    messaggi.mostrati.clear();
    st.connesso = c.trova_scheda();
    ASSERT_TRUE(st.connesso) << messaggi.testi().join("; ").toStdString();
    EXPECT_TRUE(messaggi.mostrati.empty());
    ASSERT_TRUE(c.avvia_acquisizione());
    // Six frames, the first thrown away after the start: five more jumps.
    ASSERT_TRUE(QTest::qWaitFor([&] { return prova.numero() == salti + 5; }, 5000)) << prova.numero();
    for (int32_t k = 1; k <= prova.numero(); ++k) EXPECT_EQ(prova.salti()[k].n_rip, k);
    EXPECT_EQ(prova.salti()[1], primo);
    c.arresta_acquisizione();
}
