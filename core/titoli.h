#pragma once

#include <QString>

// The program's title: settings store, message boxes, input boxes.
inline const QString titolo_applicazione = QStringLiteral("Hopa");

// "Hopa " + major.minor.revision, from the project version.
QString crea_testo_versione();
