#include "adapters/system/cartella_programma.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

bool cartella_scrivibile(const QString& cartella) {
    if (!QFileInfo(cartella).isDir()) return false;
    QTemporaryFile prova(QDir(cartella).filePath(QStringLiteral(".hopa_prova_XXXXXX")));
    return prova.open();
}

bool programma_installato(const QString& cartella) {
    return QFileInfo::exists(QDir(cartella).filePath(QStringLiteral("../share/applications/hopa.desktop")));
}

QString trova_cartella_programma(const QString& cartella_eseguibile) {
    const QString propria =
        cartella_eseguibile.isEmpty() ? QCoreApplication::applicationDirPath() : cartella_eseguibile;
    if (!programma_installato(propria) && cartella_scrivibile(propria)) return QDir::cleanPath(propria);
    QString dati = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dati.isEmpty()) dati = QDir::home().filePath(QStringLiteral(".hopa"));
    QDir().mkpath(dati);
    return QDir::cleanPath(dati);
}
