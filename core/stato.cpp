#include "core/stato.h"

#include <QDir>

QString crea_testo_versione() {
    return QStringLiteral("Hopa %1.%2.%3")
        .arg(HOPA_VERSIONE_MAJOR)
        .arg(HOPA_VERSIONE_MINOR)
        .arg(HOPA_VERSIONE_PATCH);
}

QString Stato::cartella_ini() const { return QDir(cartella_programma).filePath(QStringLiteral("ini")); }

QString Stato::file_ini() const { return QDir(cartella_ini()).filePath(QStringLiteral("hopa.ini")); }
