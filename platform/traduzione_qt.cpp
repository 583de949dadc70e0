#include "platform/traduzione_qt.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool carica_traduzione_qt(QCoreApplication& applicazione) {
    const QString nome = QStringLiteral("traduzione_qt");
    if (applicazione.findChild<QTranslator*>(nome, Qt::FindDirectChildrenOnly)) return true;
    auto* traduttore = new QTranslator(&applicazione);
    traduttore->setObjectName(nome);
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    // Qt's installed translations; an installation that ships them beside the
    // program (Windows) keeps them in its "translations" folder.
    const QStringList cartelle = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                  QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))};
    for (const QString& cartella : cartelle) {
        if (traduttore->load(italiano, QStringLiteral("qtbase"), QStringLiteral("_"), cartella)) {
            QCoreApplication::installTranslator(traduttore);
            return true;
        }
    }
    delete traduttore;
    return false;
}
