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

// A window on screen, its cadence installed, quiet for a while.
class CadenzaSuUnaFinestra : public ::testing::Test {
protected:
    void SetUp() override {
        tela.resize(100, 100);
        tela.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tela));
        QTest::qWait(50);
    }
    Tela tela;
    CadenzaPittura cadenza{&tela};
};
}  // namespace

// Changed on every pass of the event loop for 300 ms, the window is painted at
// most once a refresh, and the last change is painted too.
TEST_F(CadenzaSuUnaFinestra, UnaPassataPerAggiornamentoDelloSchermoEDipingeLUltimo) {
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

// Work left for the next pass runs once, just before it, even with nothing to
// paint; asked again it runs the latest work given; its owner gone, it does not run.
TEST_F(CadenzaSuUnaFinestra, IlLavoroPrimaDellaPassataUnaVoltaSoltanto) {
    EXPECT_EQ(CadenzaPittura::di(&tela), &cadenza);

    QObject proprietario;
    std::vector<int> fatti;
    int colore_visto = -1;
    cadenza.prima_della_passata(&proprietario, [&] { fatti.push_back(1); });
    cadenza.prima_della_passata(&proprietario, [&] {
        fatti.push_back(2);
        colore_visto = tela.colore_dipinto;  // not painted yet in this pass
        ++tela.colore;
        tela.update();
    });
    const int passate = cadenza.passate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fatti.empty(); }, 200));
    EXPECT_EQ(fatti, std::vector<int>{2});
    EXPECT_EQ(cadenza.passate(), passate + 1);
    EXPECT_NE(colore_visto, tela.colore);
    EXPECT_EQ(tela.colore_dipinto, tela.colore);  // what it changed is in the same pass

    {
        QObject andato;
        cadenza.prima_della_passata(&andato, [&] { fatti.push_back(3); });
    }
    QTest::qWait(60);
    EXPECT_EQ(fatti, std::vector<int>{2});
}
