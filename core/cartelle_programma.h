#pragma once

#include <QString>

// The folder the register hangs from (the program folder, or a test's temporary
// one) and the list folder and file inside it.
struct CartelleProgramma {
    QString programma;
    QString cartella_ini() const;  // programma + "/ini"
    QString file_ini() const;      // cartella_ini() + "/hopa.ini"
};
