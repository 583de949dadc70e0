#include "core/cp1252.h"

#include <array>

namespace cp1252 {
namespace {
// 0x80..0x9F; 0 marks the five undefined codes, which map to the C1 control of the same value.
constexpr std::array<char16_t, 32> alti = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
}  // namespace

QString decodifica(const QByteArray& byte) {
    QString t;
    t.reserve(byte.size());
    for (char c : byte) {
        auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F && alti[b - 0x80] != 0) t += QChar(alti[b - 0x80]);
        else t += QChar(static_cast<char16_t>(b));
    }
    return t;
}

QByteArray codifica(const QString& testo) {
    QByteArray out;
    out.reserve(testo.size());
    for (QChar c : testo) {
        char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += static_cast<char>(u);
            continue;
        }
        char trovato = '?';
        for (size_t i = 0; i < alti.size(); ++i) {
            if (alti[i] == u || (alti[i] == 0 && u == 0x80 + i)) {
                trovato = static_cast<char>(0x80 + i);
                break;
            }
        }
        out += trovato;
    }
    return out;
}

}  // namespace cp1252
