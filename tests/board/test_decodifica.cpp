#include "board/decodifica.h"

#include <gtest/gtest.h>

TEST(Decodifica, ParoleDelFrameEDelReport) {
    const uint8_t frame[8] = {0x00, 0x04, 0x93, 0xE0, 0x00, 0x07, 0xA1, 0x20};
    EXPECT_EQ(parola_be(frame), 300000);
    EXPECT_EQ(parola_be(frame + 4), 500000);
    const uint8_t neg[4] = {0xFF, 0xFF, 0xFF, 0xFE};
    EXPECT_EQ(parola_be(neg), -2);
    const uint8_t le[4] = {0xE0, 0x93, 0x04, 0x00};
    EXPECT_EQ(parola_le(le), 300000u);
    const uint8_t grande[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(parola_le(grande), 0xFFFFFFFFu);
}

TEST(Decodifica, FrameSerialeEReportHid) {
    const uint8_t frame[8] = {0x00, 0x04, 0x93, 0xE0, 0xFF, 0xFF, 0xFF, 0xFE};
    const TempiScheda t = decodifica_frame(frame);
    EXPECT_EQ(t.contatto_us, 300000);
    EXPECT_EQ(t.volo_us, -2);  // signed on the serial line

    QByteArray report("\x00\x00\xE0\x93\x04\x00\xFF\xFF\xFF\xFF", 10);
    auto r = decodifica_report_hid(report);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->contatto_us, 300000);
    EXPECT_EQ(r->volo_us, 0xFFFFFFFFLL);  // unsigned over HID
    EXPECT_FALSE(decodifica_report_hid(report.left(9)));
    EXPECT_FALSE(decodifica_report_hid({}));
}
