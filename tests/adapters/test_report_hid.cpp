#include "board/decodifica.h"
#include "adapters/hid/report_hid.h"

#include <gtest/gtest.h>

TEST(ReportHid, IlByteZeroEDSempreLIdDelReport) {
    // A timing report as the stack gives it without an ID: 9 bytes, the times at 1..4 and 5..8.
    const uint8_t senza_id[9] = {0x07, 0xE0, 0x93, 0x04, 0x00, 0x20, 0xA1, 0x07, 0x00};
    const QByteArray a = impagina_report(senza_id, 9, false);
    ASSERT_EQ(a.size(), 10);
    EXPECT_EQ(a[0], '\0');
    EXPECT_EQ(a[1], 0x07);
    const auto* b = reinterpret_cast<const uint8_t*>(a.constData());
    EXPECT_EQ(parola_le(b + 2), 300000u);
    EXPECT_EQ(parola_le(b + 6), 500000u);

    // With numbered reports the stack already puts the ID first: nothing is added.
    const uint8_t con_id[10] = {0x02, 0x07, 0xE0, 0x93, 0x04, 0x00, 0x20, 0xA1, 0x07, 0x00};
    const QByteArray c = impagina_report(con_id, 10, true);
    EXPECT_EQ(c, QByteArray(reinterpret_cast<const char*>(con_id), 10));

    EXPECT_EQ(impagina_report(con_id, 0, false), QByteArray(1, '\0'));
    EXPECT_TRUE(impagina_report(con_id, -1, true).isEmpty());
}

TEST(ReportHid, IdDelReportNelDescrittore) {
    auto d = [](std::initializer_list<int> b) {
        QByteArray r;
        for (int x : b) r.append(static_cast<char>(x));
        return r;
    };
    // Vendor-defined 64-byte reports, no Report ID item.
    const QByteArray senza = d({0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75,
                                0x08, 0x95, 0x40, 0x09, 0x01, 0x81, 0x02, 0x95, 0x08, 0x09, 0x01, 0x91, 0x02, 0xC0});
    EXPECT_FALSE(descrittore_con_id_report(senza));
    // 0x85 as the data of another item (Logical Maximum 0x0085) is no Report ID.
    EXPECT_FALSE(descrittore_con_id_report(d({0x06, 0x00, 0xFF, 0x26, 0x85, 0x00, 0xC0})));
    // 0x85 inside a long item is skipped too.
    EXPECT_FALSE(descrittore_con_id_report(d({0xFE, 0x02, 0x10, 0x85, 0x01, 0xC0})));
    // Report ID 1 in the collection.
    EXPECT_TRUE(descrittore_con_id_report(d({0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x75, 0x08})));
    // Truncated: the Report ID item has lost its data byte; nothing is read past the end.
    EXPECT_FALSE(descrittore_con_id_report(d({0x06, 0x00, 0xFF, 0x85})));
    EXPECT_FALSE(descrittore_con_id_report(d({0x06, 0x00})));
    EXPECT_FALSE(descrittore_con_id_report(QByteArray()));
}

TEST(ReportHid, DifferenzaTraDueElenchi) {
    const InfoDispositivoHid scheda{"/dev/hidraw1", 0x0461, 0x0020};
    const InfoDispositivoHid tastiera{"/dev/hidraw0", 0x046d, 0xc31c};

    auto primo = confronta_dispositivi({}, {tastiera, tastiera, scheda});
    ASSERT_EQ(primo.arrivati.size(), 2u);  // the keyboard's second usage entry is the same device
    EXPECT_EQ(primo.arrivati[0].percorso, "/dev/hidraw0");
    EXPECT_EQ(primo.arrivati[1].vendor_id, 0x0461);
    EXPECT_TRUE(primo.partiti.empty());

    EXPECT_TRUE(confronta_dispositivi({"/dev/hidraw0", "/dev/hidraw1"}, {scheda, tastiera}).vuoto());

    auto via = confronta_dispositivi({"/dev/hidraw0", "/dev/hidraw1"}, {tastiera});
    EXPECT_TRUE(via.arrivati.empty());
    ASSERT_EQ(via.partiti.size(), 1u);
    EXPECT_EQ(via.partiti[0], "/dev/hidraw1");

    // The board replugged on another node between two listings: one left, one came.
    const InfoDispositivoHid di_nuovo{"/dev/hidraw2", 0x0461, 0x0020};
    auto scambio = confronta_dispositivi({"/dev/hidraw0", "/dev/hidraw1"}, {tastiera, di_nuovo});
    ASSERT_EQ(scambio.arrivati.size(), 1u);
    EXPECT_EQ(scambio.arrivati[0].percorso, "/dev/hidraw2");
    ASSERT_EQ(scambio.partiti.size(), 1u);
    EXPECT_EQ(scambio.partiti[0], "/dev/hidraw1");

    auto tutti_via = confronta_dispositivi({"/dev/hidraw0"}, {});
    EXPECT_EQ(tutti_via.partiti.size(), 1u);
}
