#include "core/assemblatore_salti.h"
#include "core/metriche.h"
#include "support/finti.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
Salti con_contatti(std::initializer_list<double> tc) {
    Salti s;
    for (double c : tc) s.aggiungi(c);
    return s;
}
}  // namespace

TEST(Metriche, PrimoSaltoSoloAltezza) {
    Salti s = con_contatti({300});
    calcola_metriche(s, 500);
    EXPECT_DOUBLE_EQ(s[1].t_volo, 500);
    EXPECT_DOUBLE_EQ(s[1].altezza, 30.625);
    EXPECT_EQ(s[1].s_acc, 0);
    EXPECT_EQ(s[1].potenza, 0);
    EXPECT_EQ(s[1].n_rip, 1);
    EXPECT_EQ(s[1].t_contatto, 300);
}

TEST(Metriche, EsempioConVoloPrecedente) {
    Salti s = con_contatti({250});
    calcola_metriche(s, 400);
    s.aggiungi(300);
    calcola_metriche(s, 500);
    const Salto& j = s[2];

    // The Part's steps: a, b and X rounded to 32-bit floats, the rest in doubles.
    const float a = static_cast<float>(500 * 0.001), b = static_cast<float>(400 * 0.001);
    const double r = (4.9 * b) / (4.9 * a + 4.9 * b);
    const float x = static_cast<float>(r * 300.0);
    EXPECT_NEAR(x, 133.3333, 1e-3);
    EXPECT_DOUBLE_EQ(j.altezza, 30.625);
    EXPECT_DOUBLE_EQ(j.s_acc, 500.0 * 0.001 * 245.0 * double(x) * 0.001);
    EXPECT_DOUBLE_EQ(j.potenza, (30.625 + j.s_acc) * 98.1 / double(x));
    EXPECT_NEAR(j.s_acc, 16.3333, 1e-3);
    EXPECT_NEAR(j.potenza, 34.55, 5e-3);
    EXPECT_EQ(j.n_rip, 2);
}

TEST(Metriche, VoliUgualiDividonoIlContattoAMeta) {
    Salti s = con_contatti({0});
    calcola_metriche(s, 450);
    s.aggiungi(240);
    calcola_metriche(s, 450);
    // X = 120 ms
    EXPECT_NEAR(s[2].s_acc, 0.45 * 245.0 * 0.120, 1e-9);
    EXPECT_NEAR(s[2].potenza, (s[2].altezza + s[2].s_acc) * 98.1 / 120.0, 1e-9);
}

TEST(Metriche, VoloMinimoAppenaSopraLaSoglia) {
    Salti s = con_contatti({100});
    calcola_metriche(s, 21);
    EXPECT_NEAR(s[1].altezza, 0.054, 1e-3);
}

TEST(Metriche, ContattoZeroCompletaIlSaltoConPotenzaZero) {
    Salti s = con_contatti({200});
    calcola_metriche(s, 400);
    s.aggiungi(0);
    calcola_metriche(s, 420);
    EXPECT_EQ(s[2].potenza, 0);
    EXPECT_EQ(s[2].s_acc, 0);
    EXPECT_EQ(s[2].n_rip, 2);
    EXPECT_GT(s[2].altezza, 0);
}

TEST(Metriche, VoliChesommanoAZeroNonProduconoValoriNonFiniti) {
    // A negative minimum flight time lets a 0 ms flight through after a 0 ms one.
    Salti s = con_contatti({100});
    calcola_metriche(s, 0);
    s.aggiungi(100);
    calcola_metriche(s, 0);
    for (double v : {s[2].t_volo, s[2].altezza, s[2].s_acc, s[2].potenza}) EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(s[2].n_rip, 2);
}

TEST(Metriche, DopoUnaEliminazioneSiUsaIlRecordCheOraPrecede) {
    Salti s = con_contatti({100});
    calcola_metriche(s, 300);
    s.aggiungi(100);
    calcola_metriche(s, 600);
    s.elimina(2);
    s.aggiungi(300);
    calcola_metriche(s, 300);  // previous is now the 300 ms flight: r = 0.5
    EXPECT_NEAR(s[2].s_acc, 0.3 * 245.0 * 0.150, 1e-6);
    EXPECT_EQ(s[2].n_rip, 2);
}
