#include "board/frm_hid.h"
#include "board/trasporto_hid.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/stato_collegamento.h"
#include "adapters/hid/libreria_hid_su_accesso.h"
#include "sim/scheda_hid_simulata.h"
#include "support/hid_finto.h"
#include "support/finti.h"
#include "support/prova_osservata.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Banco {
    Banco() {
        QObject::connect(&st, &StatoCollegamento::didascalia_cambiata, [this](const QString& d) { didascalie << d; });
    }
    // Window shown (library connected), board plugged and announced.
    void collega() {
        scheda.inserisci();
        hid.mostra();
        QTest::qWait(1);
    }
    // The start sequence as the command panel runs it over HID.
    void avvia() {
        hid.HID_invia_stringa("$S");
        st.acquisizione = st.scarta_primo = st.avvio_hid = true;
    }
    void report_ms(uint32_t tc_ms, uint32_t tv_ms) { report_us(tc_ms * 1000, tv_ms * 1000); }
    void report_us(uint32_t tc, uint32_t tv) {
        ASSERT_TRUE(scheda.invia_report(SchedaHidSimulata::report_tempi(tc, tv)));
        QTest::qWait(1);
    }

    StatoCollegamento st;
    SessioneAtleta sessione;
    ModelloProva prova;
    ProvaOsservata osservata{prova};
    QStringList didascalie;
    SchedaHidSimulata scheda{SorgenteSalti::da_script("").value()};
    Frm_hid finestra;
    TrasportoHid hid{st, sessione, prova, scheda, &finestra};
};

QByteArray byte_uscita(const TrasportoHid& t) {
    return QByteArray(reinterpret_cast<const char*>(t.BufferOut().data()), 9);
}

}  // namespace

TEST(TrasportoHid, LaFinestraEIlCaricamento) {
    Banco b;
    Frm_hid& f = *b.hid.finestra();
    EXPECT_EQ(f.objectName(), "frm_hid");
    EXPECT_EQ(f.windowTitle(), "Testing..HID");
    for (const char* n : {"Command1", "Command2", "Command3"}) EXPECT_NE(f.findChild<QPushButton*>(n), nullptr) << n;
    EXPECT_NE(f.findChild<QLineEdit*>("Text1"), nullptr);

    b.scheda.inserisci();
    EXPECT_FALSE(b.hid.caricata());
    QElapsedTimer t;
    t.start();
    b.hid.mostra();  // the load connects: the attached board is announced at once
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.st.hid_connesso; }, 500));
    EXPECT_LT(t.elapsed(), 250);  // well within the 500 ms start-up pause
    EXPECT_TRUE(f.isVisible());

    // Closing it by hand only hides it: the board stays connected.
    f.close();
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(b.hid.caricata());
    b.scheda.rimuovi();
    QTest::qWait(1);
    EXPECT_FALSE(b.st.hid_connesso);

    // Unloading disconnects: a board plugged afterwards is not seen.
    b.hid.scarica();
    b.scheda.inserisci();
    QTest::qWait(1);
    EXPECT_FALSE(b.st.hid_connesso);
}

TEST(TrasportoHid, InserimentoERimozioneCambianoStatoEDidascalia) {
    Banco b;
    b.st.invio_seriale = true;
    b.collega();
    EXPECT_TRUE(b.st.hid_connesso);
    EXPECT_FALSE(b.st.invio_seriale);
    EXPECT_EQ(b.st.testo_connessione(), " Connesso via HID");
    ASSERT_EQ(b.didascalie.size(), 1);
    EXPECT_EQ(b.didascalie.last(), b.st.testo_versione + " Connesso via HID");

    // Another device coming and going changes nothing.
    const int altro = b.scheda.inserisci_dispositivo(0x0461, 0x0021);
    b.scheda.rimuovi_dispositivo(altro);
    const int altro2 = b.scheda.inserisci_dispositivo(0x1234, 0x0020);
    b.scheda.rimuovi_dispositivo(altro2);
    QTest::qWait(1);
    EXPECT_TRUE(b.st.hid_connesso);
    EXPECT_EQ(b.didascalie.size(), 1);

    b.st.invio_seriale = true;
    b.scheda.rimuovi();
    QTest::qWait(1);
    EXPECT_FALSE(b.st.hid_connesso);
    EXPECT_TRUE(b.st.invio_seriale);  // left as it was
    ASSERT_EQ(b.didascalie.size(), 2);
    EXPECT_EQ(b.didascalie.last(), b.st.testo_versione + " Disconnesso");

    for (int i = 0; i < 3; ++i) {
        b.scheda.inserisci();
        QTest::qWait(1);
        EXPECT_TRUE(b.st.hid_connesso);
        b.scheda.rimuovi();
        QTest::qWait(1);
        EXPECT_FALSE(b.st.hid_connesso);
    }
    EXPECT_EQ(b.didascalie.size(), 8);
}

TEST(TrasportoHid, IReportDiventanoSaltiSoloDopoUnAvvio) {
    Banco b;
    b.collega();
    b.report_ms(300, 500);  // before any start: dropped
    EXPECT_EQ(b.prova.numero(), 0);

    b.avvia();
    b.report_ms(250, 450);  // the first after a start: dropped even though valid
    EXPECT_EQ(b.prova.numero(), 0);
    EXPECT_FALSE(b.st.scarta_primo);

    b.report_ms(300, 500);
    ASSERT_EQ(b.prova.numero(), 1);
    EXPECT_EQ(b.prova.salti()[1].t_contatto, 300);
    EXPECT_EQ(b.prova.salti()[1].t_volo, 500);
    EXPECT_EQ(b.osservata.completati, (std::vector<int32_t>{1}));

    // A stop (acquisizione off, "$T" sent) does not close the gate: avvio_hid stays on.
    b.st.acquisizione = b.st.scarta_primo = false;
    b.hid.HID_invia_stringa("$T");
    b.report_ms(200, 400);
    EXPECT_EQ(b.prova.numero(), 2);
}

TEST(TrasportoHid, VoloMinimoConConfrontoStretto) {
    Banco b;
    b.collega();
    b.avvia();
    b.report_ms(1, 1);  // discarded first

    // A flight of exactly t_volo_min is no jump; it and its contact join the next one.
    b.report_ms(100, 20);
    EXPECT_EQ(b.prova.numero(), 0);
    EXPECT_EQ(b.hid.contatto_pendente(), 120);
    b.report_ms(150, 21);
    ASSERT_EQ(b.prova.numero(), 1);
    EXPECT_EQ(b.prova.salti()[1].t_contatto, 270);
    EXPECT_EQ(b.prova.salti()[1].t_volo, 21);

    // (150,10), (200,5), (180,400): one jump with contact 545.
    b.report_ms(150, 10);
    b.report_ms(200, 5);
    b.report_ms(180, 400);
    ASSERT_EQ(b.prova.numero(), 2);
    EXPECT_EQ(b.prova.salti()[2].t_contatto, 545);
    EXPECT_EQ(b.prova.salti()[2].t_volo, 400);
    EXPECT_EQ(b.hid.contatto_pendente(), 0);

    // Microseconds to ms with ties to even: 20,500 us is 20 ms (merged), 2,500 us is 2.
    b.report_us(2500, 20500);
    EXPECT_EQ(b.hid.contatto_pendente(), 22);
    b.report_us(1500, 21500);
    ASSERT_EQ(b.prova.numero(), 3);
    EXPECT_EQ(b.prova.salti()[3].t_contatto, 24);
    EXPECT_EQ(b.prova.salti()[3].t_volo, 22);

    // Full 32-bit unsigned fields are read as such, not as negative numbers.
    b.report_us(0xFFFFFFFFu, 0xFFFFFFFFu);
    ASSERT_EQ(b.prova.numero(), 4);
    EXPECT_GT(b.prova.salti()[4].t_volo, 4000000);
}

TEST(TrasportoHid, ReportCortiOStraniNonFannoDanni) {
    Banco b;
    b.collega();
    b.avvia();
    // Shorter than the two times: dropped, and it does not count as the first report.
    ASSERT_TRUE(b.scheda.invia_report(QByteArray(9, '\x7f')));
    ASSERT_TRUE(b.scheda.invia_report(QByteArray()));
    QTest::qWait(1);
    EXPECT_TRUE(b.st.scarta_primo);
    b.report_ms(1, 1);
    EXPECT_FALSE(b.st.scarta_primo);
    // Longer reports are fine: only bytes 2-9 count.
    QByteArray lungo = SchedaHidSimulata::report_tempi(300000, 500000) + QByteArray(55, '\xAA');
    ASSERT_TRUE(b.scheda.invia_report(lungo));
    QTest::qWait(1);
    ASSERT_EQ(b.prova.numero(), 1);
    EXPECT_EQ(b.prova.salti()[1].t_volo, 500);
    // A read notification whose report is gone (Read fails) is ignored.
    b.hid.OnRead(b.scheda.maniglia());
    b.hid.OnRead(987654);
    EXPECT_EQ(b.prova.numero(), 1);
}

TEST(TrasportoHid, IlBufferDiUscitaConservaIByteDiPrima) {
    Banco b;
    b.collega();
    b.hid.HID_invia_stringa("ABCDEF");
    b.hid.HID_invia_stringa("$S");
    b.hid.HID_invia_stringa("xyz");
    EXPECT_EQ(byte_uscita(b.hid), QByteArray("\0xyzDEF\0\0", 9));
    // More than 8 characters: only 8 are sent, nothing is written past the buffer.
    b.hid.HID_invia_stringa("123456789AB");
    EXPECT_EQ(byte_uscita(b.hid), QByteArray("\0" "12345678", 9));
    b.hid.finestra()->Command1->click();
    EXPECT_EQ(byte_uscita(b.hid), QByteArray("\0$F345678", 9));
    b.hid.finestra()->Command2->click();
    b.hid.finestra()->Command3->click();

    const auto& r = b.scheda.ricevuti();
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(r[2].data()), 9), QByteArray("\0xyzDEF\0\0", 9));
    EXPECT_EQ(r[5][1], '$');
    EXPECT_EQ(r[5][2], 'T');
    // "$S" started the board and Command2's "$T" stopped it.
    EXPECT_FALSE(b.scheda.in_misura());
}

TEST(TrasportoHid, UnaProvaInteraConLaSchedaSimulata) {
    Banco b;
    b.scheda.imposta_sorgente(*SorgenteSalti::da_script("100000 300000 5\n"  // before the start: discarded
                                                         "200000 450000 5\n"
                                                         "120000 12000 5\n"
                                                         "130000 500000 5\n"));
    b.collega();
    b.avvia();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !b.scheda.in_misura(); }, 2000));
    QTest::qWait(5);
    ASSERT_EQ(b.prova.numero(), 2);
    EXPECT_EQ(b.prova.salti()[1].t_contatto, 200);
    EXPECT_EQ(b.prova.salti()[2].t_contatto, 262);
    EXPECT_EQ(b.prova.salti()[2].t_volo, 500);
    EXPECT_EQ(b.osservata.completati, (std::vector<int32_t>{1, 2}));
}

TEST(TrasportoHid, SullaLibreriaDiSistemaConDispositiviFinti) {
    // The transport on the hidapi library, with the device stack faked below its seam.
    auto a = std::make_unique<AccessoHidFinto>();
    AccessoHidFinto& accesso = *a;
    LibreriaHidSuAccesso libreria(std::move(a), 20);
    StatoCollegamento st;
    SessioneAtleta sessione;
    ModelloProva prova;
    Frm_hid finestra;
    TrasportoHid hid(st, sessione, prova, libreria, &finestra);
    accesso.collega("/dev/hidraw3", 0x0461, 0x0020);
    hid.mostra();
    ASSERT_TRUE(QTest::qWaitFor([&] { return st.hid_connesso; }, 500));

    hid.HID_invia_stringa("$S");
    st.avvio_hid = st.scarta_primo = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return accesso.scritti("/dev/hidraw3").size() == 1; }, 1000));
    EXPECT_EQ(accesso.scritti("/dev/hidraw3")[0], QByteArray("\0$S\0\0\0\0\0\0", 9));

    // The board has no numbered reports: the stack hands over 9 bytes without the ID.
    for (auto [tc, tv] : {std::pair{1u, 1u}, {300000u, 500000u}}) {
        QByteArray r = SchedaHidSimulata::report_tempi(tc, tv).mid(1);
        accesso.accoda_report("/dev/hidraw3", r);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return prova.numero() == 1; }, 1000));
    EXPECT_EQ(prova.salti()[1].t_contatto, 300);
    EXPECT_EQ(prova.salti()[1].t_volo, 500);

    accesso.scollega("/dev/hidraw3");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !st.hid_connesso; }, 1000));
    EXPECT_EQ(st.testo_connessione(), " Disconnesso");
    accesso.collega("/dev/hidraw4", 0x0461, 0x0020);
    ASSERT_TRUE(QTest::qWaitFor([&] { return st.hid_connesso; }, 1000));
    accesso.accoda_report("/dev/hidraw4", SchedaHidSimulata::report_tempi(200000, 400000).mid(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return prova.numero() == 2; }, 1000));
    hid.scarica();
}
