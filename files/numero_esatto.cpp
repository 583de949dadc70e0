#include "files/numero_esatto.h"

#include <QRegularExpression>
#include <QString>

#include <cmath>

std::optional<double> numero_esatto(QStringView testo) {
    static const QRegularExpression forma(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    const QStringView t = testo.trimmed();
    if (!forma.match(t).hasMatch()) return std::nullopt;
    bool ok = false;
    double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}
