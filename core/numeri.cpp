#include "core/numeri.h"

#include <cctype>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace numeri {
namespace {

bool e_spazio(QChar c) { return c == u' ' || c == u'\t'; }

// Reads the longest decimal number at the start of `s` (already free of the
// blanks that must be ignored). Returns 0 when none.
double leggi_numero(const std::string& s) {
    size_t i = 0;
    std::string n;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) n += s[i++];
    size_t cifre = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) { n += s[i++]; ++cifre; }
    if (i < s.size() && s[i] == '.') {
        n += s[i++];
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) { n += s[i++]; ++cifre; }
    }
    if (cifre == 0) return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        std::string esp = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) esp += s[j++];
        size_t cifre_esp = 0;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) { esp += s[j++]; ++cifre_esp; }
        if (cifre_esp > 0) n += esp;
    }
    // from_chars reads "." whatever the C locale is (Qt sets it from the environment).
    double v = 0.0;
    const char* inizio = n.c_str();
    if (*inizio == '+') ++inizio;
    auto [fine, errore] = std::from_chars(inizio, n.c_str() + n.size(), v);
    (void)fine;
    if (errore == std::errc::result_out_of_range) {
        // Too large gives the largest finite value, too small gives 0, keeping the sign.
        const auto e = n.find_first_of("eE");
        const bool piccolo = e != std::string::npos && n.find('-', e) != std::string::npos;
        v = piccolo ? 0.0 : DBL_MAX;
        if (n[0] == '-') v = -v;
    }
    return v;
}

std::string in_latin1(QStringView testo, bool togli_tutti_gli_spazi) {
    std::string s;
    s.reserve(static_cast<size_t>(testo.size()));
    bool inizio = true;
    for (QChar c : testo) {
        if (e_spazio(c) && (inizio || togli_tutti_gli_spazi)) continue;
        inizio = false;
        char16_t u = c.unicode();
        s += (u < 128) ? static_cast<char>(u) : '\x7f';
    }
    return s;
}

}  // namespace

double prefisso(QStringView testo) { return leggi_numero(in_latin1(testo, false)); }

double prefisso_senza_spazi(QStringView testo) { return leggi_numero(in_latin1(testo, true)); }

int32_t arrotonda_i32(double v) {
    if (std::isnan(v)) return 0;
    double r = std::nearbyint(v);
    if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

std::optional<int16_t> converti_i16(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    double r = std::nearbyint(v);
    if (r > 32767.0 || r < -32768.0) return std::nullopt;
    return static_cast<int16_t>(r);
}

float a_float32(double v) {
    if (std::isnan(v)) return 0.0f;
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}

int32_t us_a_ms(int64_t us) { return arrotonda_i32(static_cast<double>(us) * 0.001); }

QString formato_fisso(double v, int decimali, int min_interi, const QLocale& locale) {
    if (!std::isfinite(v)) return QString::number(v);
    bool negativo = std::signbit(v);
    // 15 significant digits, then decimal rounding: the shown value is that of the
    // decimal number the user would read, so 0.15 shows as 0.2 with one decimal.
    char buf[64];
    auto fine = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(v), std::chars_format::scientific, 14).ptr;
    *fine = '\0';
    std::string cifre;
    cifre += buf[0];
    cifre.append(buf + 2, 14);
    int esponente = std::atoi(std::strchr(buf, 'e') + 1);
    int punto = esponente + 1;  // digits before the decimal point
    if (punto <= 0) {
        cifre.insert(0, static_cast<size_t>(1 - punto), '0');
        punto = 1;
    }
    size_t servono = static_cast<size_t>(punto + decimali + 1);
    if (cifre.size() < servono) cifre.append(servono - cifre.size(), '0');
    bool su = cifre[static_cast<size_t>(punto + decimali)] >= '5';
    cifre.resize(static_cast<size_t>(punto + decimali));
    if (su) {
        int i = static_cast<int>(cifre.size()) - 1;
        while (i >= 0 && cifre[static_cast<size_t>(i)] == '9') cifre[static_cast<size_t>(i--)] = '0';
        if (i < 0) {
            cifre.insert(0, "1");
            ++punto;
        } else {
            ++cifre[static_cast<size_t>(i)];
        }
    }
    std::string interi = cifre.substr(0, static_cast<size_t>(punto));
    std::string decimi = cifre.substr(static_cast<size_t>(punto));
    size_t primo = interi.find_first_not_of('0');
    interi = (primo == std::string::npos) ? std::string() : interi.substr(primo);
    if (static_cast<int>(interi.size()) < min_interi)
        interi.insert(0, static_cast<size_t>(min_interi) - interi.size(), '0');
    bool zero = cifre.find_first_not_of('0') == std::string::npos;
    QString testo;
    if (negativo && !zero) testo += u'-';
    testo += QString::fromLatin1(interi.c_str());
    if (decimali > 0) {
        testo += locale.decimalPoint();
        testo += QString::fromLatin1(decimi.c_str());
    }
    return testo;
}

QString testo_float(float v, const QLocale& locale) {
    if (!std::isfinite(v)) return QString::number(static_cast<double>(v));
    char buf[64];
    auto fine = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 7).ptr;
    QString t = QString::fromLatin1(buf, static_cast<qsizetype>(fine - buf));
    int e = t.indexOf(u'e');
    if (e >= 0) {
        // 1e+10 -> 1E+10 (exponent without leading zeros beyond two digits)
        QString mant = t.left(e);
        QString esp = t.mid(e + 1);
        QChar segno = esp.at(0);
        int valore = esp.mid(1).toInt();
        t = mant + u'E' + segno + QStringLiteral("%1").arg(valore, 2, 10, QLatin1Char('0'));
    }
    t.replace(u'.', locale.decimalPoint());
    return t;
}

QString marca_temporale(const QDateTime& quando) {
    return quando.toString(QStringLiteral(" yyyy MM dd HH mm ss"));
}

QDateTime leggi_marca_temporale(QStringView testo) {
    return QDateTime::fromString(testo.trimmed().toString(), QStringLiteral("yyyy MM dd HH mm ss"));
}

}  // namespace numeri
