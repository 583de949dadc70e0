// The HID board unplugged in the middle of a test, with the simulated board
// streaming its script on its own timer: the program keeps running and keeps its
// jumps, the caption says " Disconnesso", and a board plugged back in is seen
// and starts measuring again into the same test.
#include "board/trasporto_hid.h"
#include "board/frm_hid.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/stato_collegamento.h"
#include "sim/scheda_hid_simulata.h"
#include "support/finti.h"
#include "support/prova_osservata.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// Ten records, 30 ms apart; each a jump (400 ms flight).
SorgenteSalti copione() {
    QString righe;
    for (int i = 0; i < 10; ++i) righe += QStringLiteral("%1 400000 30\n").arg(200000 + 1000 * i);
    return SorgenteSalti::da_script(righe).value();
}

struct Banco {
    Banco() {
        QObject::connect(&st, &StatoCollegamento::didascalia_cambiata, [this](const QString& d) { didascalie << d; });
        scheda.inserisci();
        hid.mostra();
        (void)QTest::qWaitFor([&] { return st.hid_connesso; }, 1000);
    }
    void avvia() {
        hid.HID_invia_stringa("$S");
        st.acquisizione = st.scarta_primo = st.avvio_hid = true;
    }
    StatoCollegamento st;
    SessioneAtleta sessione;
    ModelloProva prova;
    ProvaOsservata osservata{prova};
    QStringList didascalie;
    SchedaHidSimulata scheda{copione()};
    Frm_hid finestra;
    TrasportoHid hid{st, sessione, prova, scheda, &finestra};
};

}  // namespace

TEST(GuastiHid, SchedaStaccataAMetaProvaERiattaccata) {
    Banco b;
    ASSERT_TRUE(b.st.hid_connesso);
    b.avvia();
    ASSERT_TRUE(b.scheda.in_misura());
    // Some jumps in (the first report after the start is thrown away), then the cable goes.
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.prova.numero() >= 3; }, 3000));
    b.scheda.rimuovi();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !b.st.hid_connesso; }, 1000));
    const int32_t salti = b.prova.numero();
    const Salto terzo = b.prova.salti()[3];
    EXPECT_EQ(b.st.testo_connessione(), " Disconnesso");
    EXPECT_EQ(b.didascalie.last(), b.st.testo_versione + " Disconnesso");
    EXPECT_FALSE(b.scheda.in_misura());

    // Nothing arrives while it is away, and nothing that was recorded is lost.
    QTest::qWait(150);
    EXPECT_EQ(b.prova.numero(), salti);
    EXPECT_EQ(b.prova.salti()[3], terzo);
    EXPECT_FALSE(b.scheda.invia_report(SchedaHidSimulata::report_tempi(100000, 500000)));
    b.hid.HID_invia_stringa("$T");  // a command to a board that is not there: no crash, no effect
    EXPECT_EQ(b.prova.numero(), salti);

    // Plugged back: seen again, and a new start carries on with the same test.
    b.scheda.imposta_sorgente(copione());
    b.scheda.inserisci();
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.st.hid_connesso; }, 1000));
    EXPECT_EQ(b.didascalie.last(), b.st.testo_versione + " Connesso via HID");
    b.avvia();
    ASSERT_TRUE(b.scheda.in_misura());
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.prova.numero() >= salti + 2; }, 3000));
    EXPECT_EQ(b.prova.salti()[3], terzo);
    for (int32_t k = 1; k <= b.prova.numero(); ++k) {
        EXPECT_EQ(b.prova.salti()[k].n_rip, k);
        EXPECT_EQ(b.prova.salti()[k].t_volo, 400);
    }
}

TEST(GuastiHid, StaccataEAttaccataMolteVolteDuranteLaMisura) {
    Banco b;
    b.avvia();
    for (int giro = 0; giro < 5; ++giro) {
        const int32_t prima = b.prova.numero();
        ASSERT_TRUE(QTest::qWaitFor([&] { return b.prova.numero() > prima; }, 3000)) << giro;
        b.scheda.rimuovi();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !b.st.hid_connesso; }, 1000)) << giro;
        b.scheda.imposta_sorgente(copione());
        b.scheda.inserisci();
        ASSERT_TRUE(QTest::qWaitFor([&] { return b.st.hid_connesso; }, 1000)) << giro;
        b.avvia();
    }
    EXPECT_GE(b.prova.numero(), 5);
    EXPECT_EQ(b.osservata.completati.size(), static_cast<size_t>(b.prova.numero()));
}
