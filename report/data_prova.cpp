#include "report/data_prova.h"

#include <QFileInfo>

namespace data_prova {

QDateTime da_marca(const QString& marca) {
    return QDateTime::fromString(marca.trimmed(), QStringLiteral("yyyy MM dd HH mm ss"));
}

QDateTime di_file(const QString& percorso, const QString& marca) {
    const QDateTime d = da_marca(marca);
    if (d.isValid()) return d;
    const QFileInfo info(percorso);
    return info.exists() ? info.lastModified() : QDateTime();
}

}  // namespace data_prova
