#include "athletes/formato_registro.h"

#include "core/cp1252.h"
#include "core/numeri.h"

namespace formato_registro {
namespace {
bool blank(QChar c) { return c == u' ' || c == u'\t'; }
}  // namespace

QString intero(int32_t v) {
    QString t = QString::number(v) + QLatin1Char(' ');
    return v < 0 ? t : QLatin1Char(' ') + t;
}

QString testo(const QString& v) {
    bool tra_virgolette = v.contains(u',') || v.contains(u'\r') || v.contains(u'\n') ||
                          (!v.isEmpty() && (blank(v.front()) || blank(v.back())));
    return tra_virgolette ? QLatin1Char('"') + v + QLatin1Char('"') : v;
}

QByteArray righe_in_byte(const QStringList& righe) {
    QByteArray out;
    for (const QString& r : righe) {
        out += cp1252::codifica(r);
        out += "\r\n";
    }
    return out;
}

int32_t leggi_intero(const QString& campo) { return numeri::arrotonda_i32(numeri::prefisso(campo)); }

}  // namespace formato_registro
