#include "display/valori_grandi.h"

#include <QLocale>

#include <gtest/gtest.h>

// Every state of the two boxes that matter: each caption names the value under it.
TEST(ValoriGrandi, LaDidascaliaNominaIlValoreMostrato) {
    QLocale::setDefault(QLocale::c());
    Salto s;
    s.t_volo = 512;
    s.altezza = 32.14;
    s.t_contatto = 287.5;  // half to even: 288
    s.potenza = 41.5;      // 42
    const auto testi = [](const ValoriGrandi& v) {
        return QStringList{v.didascalia_tvolo, v.valore_tvolo, v.didascalia_tcontatto, v.valore_tcontatto};
    };
    EXPECT_EQ(testi(valori_grandi(false, false, &s)), (QStringList{"ALTEZZA", "32", "POTENZA", "42"}));
    EXPECT_EQ(testi(valori_grandi(true, false, &s)), (QStringList{"TEMPO VOLO", "512", "POTENZA", "42"}));
    EXPECT_EQ(testi(valori_grandi(false, true, &s)), (QStringList{"ALTEZZA", "32", "TEMPO CONTATTO", "288"}));
    EXPECT_EQ(testi(valori_grandi(true, true, nullptr)), (QStringList{"TEMPO VOLO", "0", "TEMPO CONTATTO", "0"}));
    QLocale::setDefault(QLocale::system());
}
