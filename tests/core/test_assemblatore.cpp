#include "core/assemblatore_salti.h"
#include "core/entrata_salti.h"
#include "core/stato.h"
#include "support/finti.h"

#include <gtest/gtest.h>

namespace {
struct Banco {
    Stato st;
    VistaSaltiFinta vista;
    BeepFinto beep;
    EntrataSalti entrata{st, &vista, &beep};
    AssemblatoreSalti asm_{st, entrata};
};
}  // namespace

TEST(Assemblatore, ParoleDelFrameEDelReport) {
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

TEST(Assemblatore, FrameDiEsempio) {
    Banco b;
    const uint8_t f[8] = {0x00, 0x04, 0x93, 0xE0, 0x00, 0x07, 0xA1, 0x20};
    EXPECT_TRUE(b.asm_.nuovi_tempi_us(parola_be(f), parola_be(f + 4)));
    ASSERT_EQ(b.st.salti.numero(), 1);
    EXPECT_EQ(b.st.salti[1].t_contatto, 300);
    EXPECT_EQ(b.st.salti[1].t_volo, 500);
}

TEST(Assemblatore, SogliaDelVoloMinimo) {
    Banco b;
    EXPECT_FALSE(b.asm_.nuovi_tempi_us(100000, 20400));  // 20 ms: not longer than 20
    EXPECT_EQ(b.st.salti.numero(), 0);
    EXPECT_EQ(b.asm_.contatto_pendente(), 120);
    EXPECT_TRUE(b.asm_.nuovi_tempi_us(100000, 20600));   // 21 ms: a jump
    EXPECT_EQ(b.st.salti[1].t_contatto, 220);
    EXPECT_EQ(b.st.salti[1].t_volo, 21);
    EXPECT_EQ(b.asm_.contatto_pendente(), 0);
}

TEST(Assemblatore, RimbalzoSommatoAlContattoSuccessivo) {
    Banco b;
    b.asm_.nuovi_tempi(150, 15);
    b.asm_.nuovi_tempi(120, 400);
    ASSERT_EQ(b.st.salti.numero(), 1);
    EXPECT_EQ(b.st.salti[1].t_contatto, 285);
    EXPECT_EQ(b.st.salti[1].t_volo, 400);
}

TEST(Assemblatore, TreReportUnSalto) {
    Banco b;
    b.asm_.nuovi_tempi(150, 10);
    b.asm_.nuovi_tempi(200, 5);
    b.asm_.nuovi_tempi(180, 400);
    ASSERT_EQ(b.st.salti.numero(), 1);
    EXPECT_EQ(b.st.salti[1].t_contatto, 545);
    EXPECT_EQ(b.vista.mostrati, std::vector<int32_t>{1});
}

TEST(Assemblatore, IlPendenteSopravviveAllAzzeramentoDellaProva) {
    Banco b;
    b.asm_.nuovi_tempi(100, 10);
    b.st.salti.azzera();
    b.asm_.nuovi_tempi(100, 300);
    EXPECT_EQ(b.st.salti[1].t_contatto, 210);
}

TEST(Assemblatore, VoliNegativiSiFondonoEIlPendenteNonTrabocca) {
    Banco b;
    b.asm_.nuovi_tempi_us(-5000000, -1000);
    EXPECT_EQ(b.st.salti.numero(), 0);
    for (int i = 0; i < 1000; ++i) b.asm_.nuovi_tempi(INT32_MAX, 0);
    EXPECT_EQ(b.asm_.contatto_pendente(), INT32_MAX);
    b.asm_.nuovi_tempi(INT32_MAX, 400);
    EXPECT_EQ(b.st.salti[1].t_contatto, INT32_MAX);
}
