#include "ui/misura_testo.h"

#include <QApplication>
#include <QFontMetrics>

#include <gtest/gtest.h>

TEST(MisuraTesto, LaDimensionePiuGrandeCheEntra) {
    auto fino_a = [](int limite) { return [limite](int p) { return p <= limite; }; };
    EXPECT_EQ(misura_testo::dimensione_massima(8, 40, fino_a(23)), 23);
    EXPECT_EQ(misura_testo::dimensione_massima(8, 40, fino_a(100)), 40);  // all fit: the largest allowed
    EXPECT_EQ(misura_testo::dimensione_massima(8, 40, fino_a(5)), 8);     // none fits: the smallest
    EXPECT_EQ(misura_testo::dimensione_massima(8, 8, fino_a(8)), 8);
}

TEST(MisuraTesto, IlCarattereSceltoEntraEUnPixelInPiuNo) {
    const QFont base = QApplication::font();
    const QStringList testi = {"TEMPO CONTATTO", "ALTEZZA"};
    for (QSize riquadro : {QSize(120, 40), QSize(400, 30), QSize(60, 200)}) {
        const QFont f = misura_testo::carattere_per_riquadro(base, testi, riquadro, 6, 200);
        const QFontMetrics m(f);
        EXPECT_LE(m.horizontalAdvance("TEMPO CONTATTO"), riquadro.width());
        EXPECT_LE(m.height(), riquadro.height());
        EXPECT_FALSE(misura_testo::entra(misura_testo::in_pixel(f, f.pixelSize() + 1), testi, riquadro));
    }
    // The longest text decides; the box's height too.
    const int corto = misura_testo::carattere_per_riquadro(base, {"OFF"}, QSize(120, 200), 6, 200).pixelSize();
    const int lungo = misura_testo::carattere_per_riquadro(base, {"OFF", "CALCOLATRICE"}, QSize(120, 200), 6, 200).pixelSize();
    EXPECT_GT(corto, lungo);
    EXPECT_FALSE(misura_testo::entra(misura_testo::in_pixel(base, 30), {"x"}, QSize(500, 20)));
}
