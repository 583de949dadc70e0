#include "adapters/serial/dispositivi_seriali.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>
#include <tuple>
#include <vector>

namespace dispositivi_seriali {

QStringList ordina(const QStringList& nomi) {
    static const QRegularExpression forma(QStringLiteral("^tty(USB|ACM|S)(\\d+)$"));
    std::vector<std::tuple<int, long, QString>> v;
    for (const QString& n : nomi) {
        const auto m = forma.match(n);
        if (!m.hasMatch()) continue;
        const QString fam = m.captured(1);
        const int rango = fam == QLatin1String("USB") ? 0 : fam == QLatin1String("ACM") ? 1 : 2;
        v.emplace_back(rango, m.captured(2).toLong(), n);
    }
    std::sort(v.begin(), v.end());
    QStringList r;
    for (const auto& t : v) r << std::get<2>(t);
    return r;
}

QString per_numero(int n, const QString& forzato, const QStringList& nomi, const QString& cartella) {
    if (!forzato.isEmpty()) return forzato;
    const QStringList ord = ordina(nomi);
    if (n < 1 || n > ord.size()) return {};
    return QDir(cartella).filePath(ord[n - 1]);
}

QString per_numero(int n, const QString& forzato) {
    if (!forzato.isEmpty()) return forzato;
#ifdef Q_OS_WIN
    if (n < 1) return {};
    return QStringLiteral("COM%1").arg(n);
#else
    const QDir dev(QStringLiteral("/dev"));
    const QStringList nomi =
        dev.entryList({QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*"), QStringLiteral("ttyS*")},
                      QDir::System | QDir::Files | QDir::AllEntries | QDir::NoDotAndDotDot);
    return per_numero(n, forzato, nomi, dev.path());
#endif
}

}  // namespace dispositivi_seriali
