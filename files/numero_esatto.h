#pragma once

#include <QStringView>

#include <optional>

// A text that is a number and nothing else (blanks around it allowed): optional
// sign, digits with one "." as decimal point whatever the locale, optional
// exponent. Nothing for any other text, or for a value beyond the double range.
std::optional<double> numero_esatto(QStringView testo);
