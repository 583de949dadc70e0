#include "core/numeri.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>

using namespace numeri;

TEST(Numeri, PrefissoNumericoComeSiLeggeDalTesto) {
    EXPECT_DOUBLE_EQ(prefisso(u"12abc"), 12.0);
    EXPECT_DOUBLE_EQ(prefisso(u"   7.5"), 7.5);
    EXPECT_DOUBLE_EQ(prefisso(u"1e3"), 1000.0);
    EXPECT_DOUBLE_EQ(prefisso(u"12,5"), 12.0);  // the comma ends the number
    EXPECT_DOUBLE_EQ(prefisso(u"-3.25e-1x"), -0.325);
    EXPECT_DOUBLE_EQ(prefisso(u".5"), 0.5);
    EXPECT_DOUBLE_EQ(prefisso(u"1e"), 1.0);      // an exponent with no digits is not part of it
    EXPECT_DOUBLE_EQ(prefisso(u"2.5.7"), 2.5);   // one decimal point only
    EXPECT_DOUBLE_EQ(prefisso(u"abc"), 0.0);
    EXPECT_DOUBLE_EQ(prefisso(u""), 0.0);
    EXPECT_DOUBLE_EQ(prefisso(u"-"), 0.0);
    EXPECT_DOUBLE_EQ(prefisso(u"1 2"), 1.0);     // only leading blanks are skipped here
    EXPECT_TRUE(std::isfinite(prefisso(u"1e999")));
}

TEST(Numeri, PrefissoSenzaSpaziIgnoraOgniBlank) {
    EXPECT_DOUBLE_EQ(prefisso_senza_spazi(u" 1 2 . 5 cm"), 12.5);
    EXPECT_DOUBLE_EQ(prefisso_senza_spazi(u"12,5"), 12.0);
    EXPECT_DOUBLE_EQ(prefisso_senza_spazi(u"1e3"), 1000.0);
    EXPECT_DOUBLE_EQ(prefisso_senza_spazi(u""), 0.0);
}

TEST(Numeri, InteriConMetaAlPari) {
    EXPECT_EQ(arrotonda_i32(prefisso(u"7.5")), 8);
    EXPECT_EQ(arrotonda_i32(prefisso(u"6.5")), 6);
    EXPECT_EQ(arrotonda_i32(prefisso(u"22.5")), 22);
    EXPECT_EQ(arrotonda_i32(-2.5), -2);
    EXPECT_EQ(arrotonda_i32(-3.5), -4);
    EXPECT_EQ(arrotonda_i32(1e20), INT32_MAX);
    EXPECT_EQ(arrotonda_i32(-1e20), INT32_MIN);
    EXPECT_EQ(arrotonda_i32(std::nan("")), 0);
    EXPECT_EQ(converti_i16(32767.4), std::optional<int16_t>(32767));
    EXPECT_FALSE(converti_i16(32767.6).has_value());
    EXPECT_FALSE(converti_i16(-32769).has_value());
    EXPECT_FALSE(converti_i16(INFINITY).has_value());
}

TEST(Numeri, MicrosecondiInMillisecondiAlPari) {
    EXPECT_EQ(us_a_ms(1500), 2);
    EXPECT_EQ(us_a_ms(2500), 2);
    EXPECT_EQ(us_a_ms(20400), 20);
    EXPECT_EQ(us_a_ms(20600), 21);
    EXPECT_EQ(us_a_ms(300000), 300);
    EXPECT_EQ(us_a_ms(-1500), -2);
    EXPECT_EQ(us_a_ms(4294967295LL), 4294967);
}

TEST(Numeri, FormatiDiVisualizzazione) {
    QLocale punto(QLocale::English, QLocale::UnitedStates);
    QLocale virgola(QLocale::Italian, QLocale::Italy);
    EXPECT_EQ(formato_0(30.625, punto), "31");
    EXPECT_EQ(formato_0(2.5, punto), "3");       // half away from zero, unlike the conversions
    EXPECT_EQ(formato_0(-2.5, punto), "-3");
    EXPECT_EQ(formato_0_0(12.34, punto), "12.3");
    EXPECT_EQ(formato_0_0(12.34, virgola), "12,3");
    EXPECT_EQ(formato_0_0(0.15, punto), "0.2");  // decimal half, not the binary value below it
    EXPECT_EQ(formato_0_0(0.0, virgola), "0,0");
    EXPECT_EQ(formato_0_0(-3.0, punto), "-3.0");
    EXPECT_EQ(formato_0_0(-0.04, punto), "0.0");
    EXPECT_EQ(formato_0_0(9.96, punto), "10.0");
    EXPECT_EQ(formato_0_0(1234567.89, punto), "1234567.9");  // no thousands separator
    EXPECT_EQ(formato_0_0(0.000012, punto), "0.0");
    EXPECT_EQ(formato_00(1.0, punto), "01");
    EXPECT_EQ(formato_00(59.95, punto), "60");
    EXPECT_EQ(formato_00(123.0, punto), "123");
    EXPECT_EQ(formato_0(1e20, punto), "100000000000000000000");
}

TEST(Numeri, TestoBreveDiUnFloat) {
    QLocale punto(QLocale::English, QLocale::UnitedStates);
    QLocale virgola(QLocale::Italian, QLocale::Italy);
    EXPECT_EQ(testo_float(12.5f, punto), "12.5");
    EXPECT_EQ(testo_float(12.5f, virgola), "12,5");
    EXPECT_EQ(testo_float(1000.0f, punto), "1000");
    EXPECT_EQ(testo_float(0.1f, punto), "0.1");
    EXPECT_EQ(testo_float(0.0f, punto), "0");
    EXPECT_EQ(testo_float(-7.25f, punto), "-7.25");
    EXPECT_EQ(testo_float(1.0f / 3.0f, punto), "0.3333333");
    EXPECT_EQ(testo_float(1e10f, punto), "1E+10");
}

TEST(Numeri, MarcaTemporale) {
    QDateTime t(QDate(2024, 3, 15), QTime(9, 5, 7));
    EXPECT_EQ(marca_temporale(t), " 2024 03 15 09 05 07");
    EXPECT_EQ(marca_temporale(QDateTime(QDate(2024, 12, 1), QTime(23, 59, 0))), " 2024 12 01 23 59 00");
    EXPECT_EQ(leggi_marca_temporale(u" 2024 03 15 09 05 07"), t);
    EXPECT_FALSE(leggi_marca_temporale(u"Data").isValid());
}

TEST(Numeri, IlLocaleDelProgrammaNonCambiaLaLettura) {
    // Qt sets the C locale from the environment; "." must stay the decimal point.
    const char* prima = std::setlocale(LC_NUMERIC, nullptr);
    std::string salvato = prima ? prima : "C";
    bool cambiato = false;
    for (const char* l : {"it_IT.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8", "it_IT", "de_DE"})
        if (std::setlocale(LC_NUMERIC, l)) { cambiato = true; break; }
    EXPECT_DOUBLE_EQ(prefisso(u"12.5"), 12.5);
    EXPECT_DOUBLE_EQ(prefisso(u"1e-400"), 0.0);
    EXPECT_DOUBLE_EQ(prefisso(u"-1e400"), -DBL_MAX);
    QLocale punto(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(formato_0_0(12.34, punto), "12.3");
    EXPECT_EQ(testo_float(2.5f, punto), "2.5");
    std::setlocale(LC_NUMERIC, salvato.c_str());
    if (!cambiato) GTEST_LOG_(INFO) << "no comma locale installed: checked under the C locale only";
}
