#include "core/pausa.h"
#include "support/porta_finta.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

TEST(Pausa, AspettaLaScadenzaElaborandoGliEventi) {
    OrologioFinto o;
    o.passo = 5;
    o.adesso = 1000;
    int eventi = 0;
    QTimer t;
    QObject::connect(&t, &QTimer::timeout, [&] { ++eventi; });
    t.start(0);
    pausa(200, o);
    EXPECT_GE(o.adesso, 1200);
    EXPECT_LT(o.adesso, 1200 + 3 * o.passo);
    EXPECT_GT(eventi, 0) << "events are processed while waiting";
}

TEST(Pausa, DurateNulleONegativeNonAspettano) {
    OrologioFinto o;
    o.passo = 1;
    const int32_t prima = o.adesso;
    pausa(0, o);
    pausa(-50, o);
    EXPECT_LE(o.adesso - prima, 2);
}

TEST(Pausa, LaScadenzaStaInUnFloat) {
    // Above 2^24 a float does not hold every millisecond: 16777217 reads as
    // 16777216, and 16777216 + 1 rounds back to 16777216, so a 1 ms pause begun
    // at 16777217 is over at once; 16777216 + 3 rounds to 16777220.
    OrologioFinto o;
    o.passo = 1;
    o.adesso = 16777216;  // the first read gives 16777217
    pausa(1, o);
    EXPECT_EQ(o.adesso, 16777217);
    o.adesso = 16777216;
    pausa(3, o);
    EXPECT_EQ(o.adesso, 16777220);
}

TEST(Pausa, UnContatoreCheSiRiavvolgeNonLaBlocca) {
    // The counter wraps from the top of the 32-bit range to the bottom.
    struct Riavvolto : ContatoreTick {
        mutable int letture = 0;
        int32_t tick_ms() const override {
            ++letture;
            return letture < 3 ? INT32_MAX - 5 : INT32_MIN + letture;
        }
    } c;
    pausa(1000, c);
    EXPECT_LT(c.letture, 10);
}

TEST(Pausa, ConIlContatoreDiSistemaDuraAlmenoIlTempoChiesto) {
    QElapsedTimer t;
    t.start();
    pausa(30, contatore_di_sistema());
    EXPECT_GE(t.elapsed(), 29);
}
