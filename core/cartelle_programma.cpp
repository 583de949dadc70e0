#include "core/cartelle_programma.h"

#include <QDir>

QString CartelleProgramma::cartella_ini() const { return QDir(programma).filePath(QStringLiteral("ini")); }
QString CartelleProgramma::file_ini() const { return QDir(cartella_ini()).filePath(QStringLiteral("hopa.ini")); }
