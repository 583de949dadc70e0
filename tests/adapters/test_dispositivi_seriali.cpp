#include "adapters/serial/dispositivi_seriali.h"

#include <gtest/gtest.h>

TEST(DispositiviSeriali, AdattatoriUsbPrimaPoiSerialiOgnunoPerNumero) {
    const QStringList nomi{"ttyS10", "ttyS2", "ttyACM0", "ttyUSB10", "ttyUSB2", "tty0", "ttyS0", "ttyprintk", "ttyUSB0x"};
    EXPECT_EQ(dispositivi_seriali::ordina(nomi), (QStringList{"ttyUSB2", "ttyUSB10", "ttyACM0", "ttyS0", "ttyS2", "ttyS10"}));
}

TEST(DispositiviSeriali, NumeroDellaPortaEPercorsoForzato) {
    const QStringList nomi{"ttyS1", "ttyS0", "ttyUSB0"};
    EXPECT_EQ(dispositivi_seriali::per_numero(1, "", nomi, "/dev"), "/dev/ttyUSB0");
    EXPECT_EQ(dispositivi_seriali::per_numero(3, "", nomi, "/dev"), "/dev/ttyS1");
    EXPECT_EQ(dispositivi_seriali::per_numero(4, "", nomi, "/dev"), "");
    EXPECT_EQ(dispositivi_seriali::per_numero(0, "", nomi, "/dev"), "");
    for (int n : {1, 7, 16}) EXPECT_EQ(dispositivi_seriali::per_numero(n, "/dev/pts/4", nomi, "/dev"), "/dev/pts/4");
    EXPECT_EQ(dispositivi_seriali::per_numero(2, "/tmp/x"), "/tmp/x");
}
