#include "tools/statistica.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using statistica::media;
using statistica::retta_minimi_quadrati;

TEST(Statistica, MediaAritmetica) {
    EXPECT_DOUBLE_EQ(media(std::vector<double>{1, 2, 3, 4}), 2.5);
    EXPECT_DOUBLE_EQ(media(std::vector<double>{-7}), -7.0);
    EXPECT_DOUBLE_EQ(media(std::vector<double>{}), 0.0);
}

TEST(Statistica, RettaCalcolataAMano) {
    // x 1..4, y 2 4 5 4: slope 3.5 / 5 = 0.7, intercept 3.75 - 0.7 * 2.5 = 2,
    // residuals -0.7 0.6 0.9 -0.8, squares sum 2.3, mean 0.575.
    std::vector<double> x{1, 2, 3, 4}, y{2, 4, 5, 4};
    auto r = retta_minimi_quadrati(x, y);
    EXPECT_NEAR(r.pendenza, 0.7, 1e-12);
    EXPECT_NEAR(r.intercetta, 2.0, 1e-12);
    ASSERT_EQ(r.valori_adattati.size(), 4u);
    EXPECT_NEAR(r.valori_adattati[0], 2.7, 1e-12);
    EXPECT_NEAR(r.valori_adattati[3], 4.8, 1e-12);
    EXPECT_NEAR(r.errore_quadratico_medio, 0.575, 1e-12);
}

TEST(Statistica, RettaEsattaLontanaDallOrigine) {
    // y = 1e6 - 3x at x around 1e6: centred sums keep the slope exact.
    std::vector<double> x{1e6 + 1, 1e6 + 2, 1e6 + 3}, y;
    for (double xi : x) y.push_back(1e6 - 3 * xi);
    auto r = retta_minimi_quadrati(x, y);
    EXPECT_NEAR(r.pendenza, -3.0, 1e-9);
    EXPECT_NEAR(r.errore_quadratico_medio, 0.0, 1e-6);
}

TEST(Statistica, ListeDiLunghezzaDiversaUsanoLeCoppieIniziali) {
    // Three y against four x: pairs (1,10) (2,20) (3,30).
    auto r = retta_minimi_quadrati(std::vector<double>{1, 2, 3, 4}, std::vector<double>{10, 20, 30});
    EXPECT_DOUBLE_EQ(r.pendenza, 10.0);
    EXPECT_DOUBLE_EQ(r.intercetta, 0.0);
    EXPECT_EQ(r.valori_adattati.size(), 3u);
}

TEST(Statistica, SenzaPendenzaDefinitaLaRettaEPiatta) {
    auto uguali = retta_minimi_quadrati(std::vector<double>{2, 2, 2}, std::vector<double>{1, 5, 9});
    EXPECT_EQ(uguali.pendenza, 0.0);
    EXPECT_DOUBLE_EQ(uguali.intercetta, 5.0);
    EXPECT_TRUE(std::isfinite(uguali.errore_quadratico_medio));

    auto uno = retta_minimi_quadrati(std::vector<double>{3}, std::vector<double>{8});
    EXPECT_EQ(uno.pendenza, 0.0);
    EXPECT_DOUBLE_EQ(uno.intercetta, 8.0);

    auto vuota = retta_minimi_quadrati(std::vector<double>{}, std::vector<double>{});
    EXPECT_EQ(vuota.pendenza, 0.0);
    EXPECT_TRUE(vuota.valori_adattati.empty());
    EXPECT_EQ(vuota.errore_quadratico_medio, 0.0);
}
