// The serial link end to end: the QSerialPort adapter on a pseudo-terminal,
// with the simulated board at the other end.
#include "board/apertura_porta.h"
#include "board/collegamento_seriale.h"
#include "board/frm_seriale.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/stato_collegamento.h"
#include "platform/archivio_impostazioni.h"
#include "platform/porta_seriale.h"
#include "support/board_sim.h"
#include "support/finti.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Banco {
    explicit Banco(const QStringList& argomenti) : sim(argomenti) {
        archivio.scrivi("Properties", "PortPath", sim.percorso);
        QObject::connect(&st, &StatoCollegamento::didascalia_cambiata, [this](const QString& d) { didascalia = d; });
        c = std::make_unique<CollegamentoSeriale>(st, archivio, messaggi, beep, sessione, prova, nullptr,
                                                  contatore_di_sistema(), porta_da_archivio(archivio));
        c->imposta_fabbrica_finestra([](const frm_seriale::Servizi& s) { return new frm_seriale(s); });
    }
    // The port open and the board known, as after a detection.
    void collegato() {
        Open_comm(c->porta(), st, messaggi);
        c->porta().imposta_dtr(true);
        c->porta().imposta_rts(true);
        st.connesso = true;
    }
    Sim sim;
    StatoCollegamento st;
    SessioneAtleta sessione;
    ModelloProva prova;
    ArchivioMemoria archivio;
    MessaggiFinti messaggi;
    BeepFinto beep;
    QString didascalia;
    std::unique_ptr<CollegamentoSeriale> c;
};


}  // namespace

TEST(IntegrazionePty, RilevamentoRiuscito) {
    Banco b({});
    ASSERT_FALSE(b.sim.percorso.isEmpty()) << programma_board_sim.toStdString();
    b.archivio.scrivi("Properties", "CommPort", "4");
    b.c->Leggi_impostazioni();
    EXPECT_TRUE(b.c->trova_scheda());
    EXPECT_TRUE(b.c->porta().aperta());
    EXPECT_TRUE(b.st.invio_seriale);
    EXPECT_EQ(b.st.testo_connessione(), " connesso su com4");
    EXPECT_EQ(b.archivio.leggi("Properties", "CommPort", ""), "4");
    EXPECT_TRUE(b.messaggi.mostrati.empty()) << "the lines a pty refuses are no error";
}

namespace {
// Detection against a misbehaving board: it fails, and takes the 1000 ms pause
// plus `attese` reply waits that end at their 500 ms time-out.
void rilevamento_fallito(const char* guasto, int attese) {
    Banco b({"--guasto", guasto});
    ASSERT_FALSE(b.sim.percorso.isEmpty());
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(b.c->trova_scheda());
    EXPECT_GE(t.elapsed(), 1000 + 500 * attese);
    EXPECT_LT(t.elapsed(), 1000 + 500 * attese + 800);
    EXPECT_EQ(b.st.testo_connessione(), " non connesso");
    EXPECT_FALSE(b.archivio.contiene("Properties", "CommPort"));
    EXPECT_EQ(b.sim.righe("comando ?") + b.sim.righe("ignorato 3f"), 1);
}
}  // namespace

TEST(IntegrazionePty, RilevamentoFallitoSuRispostaSbagliata) { rilevamento_fallito("risposta-sbagliata", 0); }
TEST(IntegrazionePty, RilevamentoFallitoSuRispostaCorta) { rilevamento_fallito("risposta-corta", 1); }
TEST(IntegrazionePty, RilevamentoFallitoSenzaRisposta) { rilevamento_fallito("nessuna-risposta", 2); }

TEST(IntegrazionePty, AvvioFrameSaltiEStop) {
    QTemporaryDir d;
    Banco b({"--frequenza", "240", "--copione",
             scrivi_copione(d, "300000 500000 30\n300000 500000 30\n100000 20400\n100000 20600\n150000 15000\n120000 400000\n")});
    ASSERT_FALSE(b.sim.percorso.isEmpty());
    b.collegato();
    ASSERT_TRUE(b.c->avvia_acquisizione());
    EXPECT_TRUE(b.st.acquisizione);
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.prova.numero() == 3; }, 3000)) << b.prova.numero();
    EXPECT_EQ(b.prova.salti()[1].t_contatto, 300);
    EXPECT_EQ(b.prova.salti()[1].t_volo, 500);
    EXPECT_EQ(b.prova.salti()[2].t_contatto, 220);
    EXPECT_EQ(b.prova.salti()[2].t_volo, 21);
    EXPECT_EQ(b.prova.salti()[3].t_contatto, 285);
    EXPECT_EQ(b.prova.salti()[3].t_volo, 400);
    b.c->arresta_acquisizione();
    EXPECT_FALSE(b.st.acquisizione);
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.sim.righe("comando T") == 21; }, 2000));
    EXPECT_EQ(b.sim.righe("comando $"), 22);  // one for the start
    EXPECT_EQ(b.prova.numero(), 3);
}

TEST(IntegrazionePty, AvvioConEcoSbagliato) {
    Banco b({"--guasto", "eco-sbagliato"});
    ASSERT_FALSE(b.sim.percorso.isEmpty());
    b.c->porta().imposta_numero_porta(6);
    b.collegato();
    b.st.imposta_testo_connessione(" connesso su com6");
    EXPECT_FALSE(b.c->avvia_acquisizione());
    EXPECT_FALSE(b.st.acquisizione);
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_EQ(b.messaggi.mostrati[0].testo, "Scheda non connessa su com6");
    EXPECT_EQ(b.st.testo_connessione(), " non connesso");
    EXPECT_EQ(b.didascalia, b.st.testo_versione + " non connesso");
}

TEST(IntegrazionePty, DatiSenzaSchedaAvvianoUnRilevamento) {
    Banco b({});
    ASSERT_FALSE(b.sim.percorso.isEmpty());
    Open_comm(b.c->porta(), b.st, b.messaggi);
    ASSERT_FALSE(b.st.connesso);
    b.sim.p.write("spazzatura 8\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.sim.righe("comando ?") == 1; }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.beep.suonati == 1; }, 2000));
    EXPECT_TRUE(b.st.connesso);
    EXPECT_EQ(b.prova.numero(), 0);
    EXPECT_EQ(b.didascalia, b.st.testo_versione + " connesso su com1");
    EXPECT_FALSE(b.c->finestra()->isVisible());
}

TEST(IntegrazionePty, RiaggancioDuranteLaProva) {
    QTemporaryDir d;
    Banco b({"--frequenza", "240", "--guasto", "riaggancia", "--riaggancia-dopo", "6", "--copione",
             scrivi_copione(d, "250000 450000 30\n250000 450000 30\n" + QByteArray("250000 450000\n").repeated(8))});
    ASSERT_FALSE(b.sim.percorso.isEmpty());
    b.collegato();
    ASSERT_TRUE(b.c->avvia_acquisizione());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !b.c->porta().aperta(); }, 3000));
    const int salti = b.prova.numero();
    EXPECT_EQ(salti, 5);  // the frames after the discarded one, up to the hang-up
    QElapsedTimer t;
    t.start();
    b.c->arresta_acquisizione();
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_EQ(b.prova.numero(), salti);
    EXPECT_FALSE(b.st.acquisizione);
    // The hang-up is told once; the jumps stay.
    EXPECT_EQ(b.st.testo_connessione(), " Disconnesso");
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(b.messaggi.mostrati[0].testo.startsWith("Scheda scollegata"));
}
