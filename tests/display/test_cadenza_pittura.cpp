#include "ui/cadenza_pittura.h"

#include <QElapsedTimer>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {
// Counts its paints and when the last one came.
class Tela : public QWidget {
public:
    int dipinture = 0;
    int colore_dipinto = -1;
    int colore = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        ++dipinture;
        colore_dipinto = colore;
    }
};
}  // namespace

// Changed on every pass of the event loop for 300 ms, the window is painted at
// most once a refresh, and the last change is painted too.
TEST(CadenzaPittura, UnaPassataPerAggiornamentoDelloSchermoEDipingeLUltimo) {
    Tela tela;
    tela.resize(100, 100);
    CadenzaPittura cadenza(&tela);
    tela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tela));
    QTest::qWait(50);
    const int prima = tela.dipinture, passate_prima = cadenza.passate();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 300) {
        ++tela.colore;
        tela.update();
        QCoreApplication::processEvents();
    }
    const int massimo = static_cast<int>(t.elapsed() * 1000000 / cadenza.intervallo_ns()) + 2;
    EXPECT_LE(tela.dipinture - prima, massimo);
    EXPECT_GE(tela.dipinture - prima, 5);
    EXPECT_EQ(cadenza.passate() - passate_prima, tela.dipinture - prima);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tela.colore_dipinto == tela.colore; }, 200));

    // After a quiet spell a change is painted in the next pass, not a refresh later.
    QTest::qWait(40);
    ++tela.colore;
    tela.update();
    QCoreApplication::processEvents();
    EXPECT_EQ(tela.colore_dipinto, tela.colore);
}
