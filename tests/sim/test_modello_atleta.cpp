#include "sim/modello_atleta.h"

#include <gtest/gtest.h>

TEST(SorgenteSalti, IlModelloStaNeiLimitiEOgniTantoRimbalza) {
    SorgenteSalti s(7);
    int rimbalzi = 0;
    for (int i = 0; i < 2000; ++i) {
        auto t = s.prossimo();
        ASSERT_TRUE(t.has_value());
        EXPECT_GE(t->contatto_us, 150000);
        EXPECT_LE(t->contatto_us, 300000);
        if (t->volo_us < 20000) ++rimbalzi;
        else EXPECT_TRUE(t->volo_us >= 350000 && t->volo_us <= 600000);
    }
    EXPECT_GT(rimbalzi, 20);
    EXPECT_LT(rimbalzi, 300);
    SorgenteSalti a(3), b(3);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(a.prossimo()->volo_us, b.prossimo()->volo_us);
}

TEST(SorgenteSalti, Copione) {
    QString err;
    auto s = SorgenteSalti::da_script("# prova\n300000 500000\n\n150000 15000 40\n", &err);
    ASSERT_TRUE(s.has_value()) << err.toStdString();
    auto a = s->prossimo();
    EXPECT_EQ(a->contatto_us, 300000);
    EXPECT_EQ(a->volo_us, 500000);
    EXPECT_EQ(a->pausa_ms, -1);
    auto b = s->prossimo();
    EXPECT_EQ(b->pausa_ms, 40);
    EXPECT_FALSE(s->prossimo().has_value());
    EXPECT_FALSE(SorgenteSalti::da_script("300000\n", &err).has_value());
    EXPECT_TRUE(err.contains("riga 1"));
    EXPECT_FALSE(SorgenteSalti::da_script("1 2 x\n").has_value());
}
