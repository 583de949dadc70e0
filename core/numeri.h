#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// The number rules used everywhere: reading numbers back from text, whole-number
// conversions, and the display patterns "0", "0.0" and "00".
namespace numeri {

// Leading blanks skipped, then the longest prefix that reads as a decimal number
// (optional sign, digits, one "." as decimal point whatever the locale, optional
// exponent). Text that does not start with a number gives 0. "12abc" -> 12,
// "12,5" -> 12, "1e3" -> 1000. Overflow saturates to the largest finite double.
double prefisso(QStringView testo);

// The same, but blanks anywhere in the text are ignored ("1 2.5" -> 12.5): the
// rule for answers typed into input boxes.
double prefisso_senza_spazi(QStringView testo);

// Nearest whole number, a half going to the even neighbour (7.5 -> 8, 6.5 -> 6).
// Saturates at the 32-bit range; NaN gives 0.
int32_t arrotonda_i32(double v);

// The same into 16 bits, or nothing when the value does not fit (or is not finite).
std::optional<int16_t> converti_i16(double v);

// To a 32-bit float, saturating at the largest finite float; NaN gives 0.
float a_float32(double v);

// Microseconds on the wire to whole milliseconds: us x 0.001, ties to even
// (1500 -> 2, 2500 -> 2).
int32_t us_a_ms(int64_t us);

// Fixed-point display: `decimali` decimals, at least `min_interi` integer digits,
// a half rounded away from zero on the decimal value, the locale's decimal
// separator, no thousands separator, a minus sign only when the shown value is not 0.
QString formato_fisso(double v, int decimali, int min_interi, const QLocale& locale = QLocale());
inline QString formato_0(double v, const QLocale& l = QLocale()) { return formato_fisso(v, 0, 1, l); }
inline QString formato_0_0(double v, const QLocale& l = QLocale()) { return formato_fisso(v, 1, 1, l); }
inline QString formato_00(double v, const QLocale& l = QLocale()) { return formato_fisso(v, 0, 2, l); }

// Shortest text of a 32-bit float: up to 7 significant digits, the locale's
// decimal separator ("12.5" -> "12,5" under a comma locale, 1000 -> "1000").
QString testo_float(float v, const QLocale& locale = QLocale());

// Time stamp " yyyy mm dd hh mm ss" (leading blank, 24-hour clock).
QString marca_temporale(const QDateTime& quando);
// A time stamp of that form read back (blanks around it ignored); not valid for any other text.
QDateTime leggi_marca_temporale(QStringView testo);

}  // namespace numeri
