// The serial device vanishing in the middle of a test: the simulated board is
// killed while it streams frames through a pseudo-terminal into the QSerialPort
// adapter. The program keeps running with its jumps, the stop sequence does not
// hang on the dead line, and once a board is there again the port opens and the
// test carries on.
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

#include <gtest/gtest.h>

#include <memory>

namespace {

// Frames 30 ms apart, each a jump of 450 ms flight.
QByteArray frame(int n) { return QByteArray("250000 450000 30\n").repeated(n); }

}  // namespace

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

    // The device goes away with the board in the middle of its stream.
    sim->uccidi();
    sim.reset();
    QTest::qWait(300);  // the event loop runs on over the dead line
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

    // A board again, on a new device: the port opens and the same test goes on.
    Sim di_nuovo({"--frequenza", "240", "--copione", scrivi_copione(d, frame(6))});
    ASSERT_FALSE(di_nuovo.percorso.isEmpty());
    archivio.scrivi("Properties", "PortPath", di_nuovo.percorso);
    chiudi_porta(c.porta(), st);
    messaggi.mostrati.clear();
    Open_comm(c.porta(), st, messaggi);
    ASSERT_TRUE(c.porta().aperta()) << messaggi.testi().join("; ").toStdString();
    EXPECT_TRUE(messaggi.mostrati.empty());
    c.porta().imposta_dtr(true);
    c.porta().imposta_rts(true);
    ASSERT_TRUE(c.avvia_acquisizione());
    // Six frames, the first thrown away after the start: five more jumps.
    ASSERT_TRUE(QTest::qWaitFor([&] { return prova.numero() == salti + 5; }, 5000)) << prova.numero();
    for (int32_t k = 1; k <= prova.numero(); ++k) EXPECT_EQ(prova.salti()[k].n_rip, k);
    EXPECT_EQ(prova.salti()[1], primo);
    c.arresta_acquisizione();
}
