#include "core/assemblatore_salti.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"

#include <gtest/gtest.h>

namespace {
struct Banco {
    Banco() {
        QObject::connect(&prova, &ModelloProva::salto_completato, [this](int32_t k) { completati.push_back(k); });
    }
    SessioneAtleta sessione;
    ModelloProva prova;
    AssemblatoreSalti asm_{sessione, prova};
    std::vector<int32_t> completati;
};
}  // namespace

TEST(Assemblatore, FrameDiEsempio) {
    Banco b;
    EXPECT_TRUE(b.asm_.nuovi_tempi_us(300000, 500000));
    ASSERT_EQ(b.prova.numero(), 1);
    EXPECT_EQ(b.prova.salti()[1].t_contatto, 300);
    EXPECT_EQ(b.prova.salti()[1].t_volo, 500);
}

TEST(Assemblatore, SogliaDelVoloMinimo) {
    Banco b;
    EXPECT_FALSE(b.asm_.nuovi_tempi_us(100000, 20400));  // 20 ms: not longer than 20
    EXPECT_EQ(b.prova.numero(), 0);
    EXPECT_EQ(b.asm_.contatto_pendente(), 120);
    EXPECT_TRUE(b.asm_.nuovi_tempi_us(100000, 20600));   // 21 ms: a jump
    EXPECT_EQ(b.prova.salti()[1].t_contatto, 220);
    EXPECT_EQ(b.prova.salti()[1].t_volo, 21);
    EXPECT_EQ(b.asm_.contatto_pendente(), 0);
}

TEST(Assemblatore, RimbalzoSommatoAlContattoSuccessivo) {
    Banco b;
    b.asm_.nuovi_tempi(150, 15);
    b.asm_.nuovi_tempi(120, 400);
    ASSERT_EQ(b.prova.numero(), 1);
    EXPECT_EQ(b.prova.salti()[1].t_contatto, 285);
    EXPECT_EQ(b.prova.salti()[1].t_volo, 400);
}

TEST(Assemblatore, TreReportUnSalto) {
    Banco b;
    b.asm_.nuovi_tempi(150, 10);
    b.asm_.nuovi_tempi(200, 5);
    b.asm_.nuovi_tempi(180, 400);
    ASSERT_EQ(b.prova.numero(), 1);
    EXPECT_EQ(b.prova.salti()[1].t_contatto, 545);
    EXPECT_EQ(b.completati, std::vector<int32_t>{1});
}

TEST(Assemblatore, IlPendenteSopravviveAllAzzeramentoDellaProva) {
    Banco b;
    b.asm_.nuovi_tempi(100, 10);
    b.prova.azzera();
    b.asm_.nuovi_tempi(100, 300);
    EXPECT_EQ(b.prova.salti()[1].t_contatto, 210);
}

TEST(Assemblatore, VoliNegativiSiFondonoEIlPendenteNonTrabocca) {
    Banco b;
    b.asm_.nuovi_tempi_us(-5000000, -1000);
    EXPECT_EQ(b.prova.numero(), 0);
    for (int i = 0; i < 1000; ++i) b.asm_.nuovi_tempi(INT32_MAX, 0);
    EXPECT_EQ(b.asm_.contatto_pendente(), INT32_MAX);
    b.asm_.nuovi_tempi(INT32_MAX, 400);
    EXPECT_EQ(b.prova.salti()[1].t_contatto, INT32_MAX);
}
