#include "board/decodifica.h"
#include "sim/scheda_hid_simulata.h"
#include "support/hid_finto.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int VID = 0x0461, PID = 0x0020;

SorgenteSalti copione(const char* testo) {
    auto s = SorgenteSalti::da_script(QString::fromLatin1(testo));
    EXPECT_TRUE(s.has_value());
    return s ? *s : SorgenteSalti();
}

BufferUscitaHid comando(char lettera) { return {0, '$', static_cast<uint8_t>(lettera), 0, 0, 0, 0, 0, 0}; }

std::pair<uint32_t, uint32_t> tempi_di(const QByteArray& r) {
    const auto* b = reinterpret_cast<const uint8_t*>(r.constData());
    return {parola_le(b + 2), parola_le(b + 6)};
}

}  // namespace

TEST(SchedaHidSimulata, InserimentoERimozioneAnnunciati) {
    SchedaHidSimulata scheda;
    RicevitoreHidFinto r;
    scheda.inserisci();  // plugged before the library connects: announced at Connect
    scheda.Connect(&r);
    QTest::qWait(1);
    ASSERT_EQ(r.codici(), (std::vector<int>{NOTIFICA_HID_INSERITO, NOTIFICA_HID_CAMBIATO}));
    const ManigliaHid h = r.ricevute[0].maniglia;
    EXPECT_EQ(scheda.GetVendorID(h), VID);
    EXPECT_EQ(scheda.GetProductID(h), PID);
    EXPECT_EQ(scheda.GetHandle(VID, PID), h);

    const int altro = scheda.inserisci_dispositivo(0x1111, 0x2222);
    scheda.rimuovi_dispositivo(altro);
    scheda.rimuovi();
    scheda.inserisci();
    QTest::qWait(1);
    ASSERT_EQ(r.ricevute.size(), 10u);
    EXPECT_EQ(scheda.GetVendorID(r.ricevute[2].maniglia), 0x1111);
    EXPECT_EQ(r.ricevute[4].codice, NOTIFICA_HID_RIMOSSO);
    EXPECT_EQ(r.ricevute[6].codice, NOTIFICA_HID_RIMOSSO);
    EXPECT_EQ(r.ricevute[6].maniglia, h);
    EXPECT_EQ(r.ricevute[8].codice, NOTIFICA_HID_INSERITO);
    EXPECT_NE(r.ricevute[8].maniglia, h);

    scheda.Disconnect();
    scheda.rimuovi();
    QTest::qWait(1);
    EXPECT_EQ(r.ricevute.size(), 10u);
}

TEST(SchedaHidSimulata, DollaroSAvviaIReportEDollaroTLiFerma) {
    SchedaHidSimulata scheda(copione("300000 500000 0\n150000 15000 5\n200000 400000 5\n"
                                     "210000 410000 300\n220000 420000 5\n"));
    RicevitoreHidFinto r;
    scheda.inserisci();
    scheda.Connect(&r);
    QTest::qWait(1);
    const ManigliaHid h = scheda.GetHandle(VID, PID);
    scheda.SetReadNotify(h, true);

    scheda.WriteEx(VID, PID, comando('F'));  // not a start
    QTest::qWait(20);
    EXPECT_FALSE(scheda.in_misura());
    EXPECT_EQ(r.quante(NOTIFICA_HID_LETTO), 0);

    scheda.WriteEx(VID, PID, comando('S'));
    EXPECT_TRUE(scheda.in_misura());
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.quante(NOTIFICA_HID_LETTO) == 3; }, 2000));
    scheda.WriteEx(VID, PID, comando('T'));
    EXPECT_FALSE(scheda.in_misura());
    QTest::qWait(40);
    EXPECT_EQ(r.quante(NOTIFICA_HID_LETTO), 3);

    QByteArray in;
    ASSERT_TRUE(scheda.Read(h, in));
    EXPECT_EQ(in.size(), 10);
    EXPECT_EQ(in[0], '\0');
    EXPECT_EQ(tempi_di(in), std::make_pair(300000u, 500000u));
    ASSERT_TRUE(scheda.Read(h, in));
    EXPECT_EQ(tempi_di(in), std::make_pair(150000u, 15000u));
    ASSERT_TRUE(scheda.Read(h, in));
    EXPECT_EQ(tempi_di(in), std::make_pair(200000u, 400000u));
    EXPECT_FALSE(scheda.Read(h, in));
    ASSERT_EQ(scheda.ricevuti().size(), 3u);
    EXPECT_EQ(scheda.ricevuti()[2][2], 'T');

    // Started again: the record cut short by the stop is gone, the script goes on
    // with the next one, and at its end the board stops.
    scheda.WriteEx(VID, PID, comando('S'));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !scheda.in_misura(); }, 2000));
    EXPECT_EQ(scheda.report_inviati(), 4);
    ASSERT_TRUE(scheda.Read(h, in));
    EXPECT_EQ(tempi_di(in), std::make_pair(220000u, 420000u));
}

TEST(SchedaHidSimulata, LePauseSonoInTempoReale) {
    // No pause given: the real time of contact + flight (60 ms), then 50 ms.
    SchedaHidSimulata scheda(copione("20000 40000\n1000 2000 50\n"));
    RicevitoreHidFinto r;
    scheda.inserisci();
    scheda.Connect(&r);
    QTest::qWait(1);
    scheda.SetReadNotify(scheda.GetHandle(VID, PID), true);
    r.ricevute.clear();
    r.orologio.restart();
    scheda.WriteEx(VID, PID, comando('S'));
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.ricevute.size() == 2; }, 2000));
    EXPECT_GE(r.ricevute[0].ms, 58);
    EXPECT_GE(r.ricevute[1].ms - r.ricevute[0].ms, 48);
}

TEST(SchedaHidSimulata, AltriIdNonSonoLaScheda) {
    // A board that shows other IDs answers only writes to its own IDs.
    SchedaHidSimulata estranea(SorgenteSalti(1), 0x0461, 0x0021);
    RicevitoreHidFinto r;
    estranea.inserisci();
    estranea.Connect(&r);
    QTest::qWait(1);
    EXPECT_EQ(estranea.GetHandle(VID, PID), 0);
    estranea.WriteEx(VID, PID, comando('S'));
    EXPECT_FALSE(estranea.in_misura());
    estranea.WriteEx(0x0461, 0x0021, comando('S'));
    EXPECT_TRUE(estranea.in_misura());

    // Another device beside the real board sends reports of its own.
    SchedaHidSimulata scheda;
    RicevitoreHidFinto r2;
    scheda.Connect(&r2);
    const int altro = scheda.inserisci_dispositivo(0x1234, 0x5678);
    const ManigliaHid ha = scheda.maniglia_dispositivo(altro);
    EXPECT_FALSE(scheda.invia_report_da(altro, SchedaHidSimulata::report_tempi(1, 2)));  // notify off
    scheda.SetReadNotify(ha, true);
    EXPECT_TRUE(scheda.invia_report_da(altro, SchedaHidSimulata::report_tempi(1, 2)));
    EXPECT_FALSE(scheda.invia_report(SchedaHidSimulata::report_tempi(1, 2)));  // the board is not plugged
    QByteArray in;
    EXPECT_TRUE(scheda.Read(ha, in));
    EXPECT_EQ(tempi_di(in), std::make_pair(1u, 2u));
}
