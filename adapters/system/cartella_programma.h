#pragma once

#include <QString>

// The folder the register hangs from: the program's own folder when it can be
// written (a portable install), otherwise the per-user application data folder.
// An installed program always uses the latter, also when root could write
// into its folder. `cartella_eseguibile` empty means the running program's folder.
QString trova_cartella_programma(const QString& cartella_eseguibile = {});

// Whether the program in `cartella` was installed (cmake --install, the package):
// its desktop entry lies in ../share/applications.
bool programma_installato(const QString& cartella);

// Whether a file can really be created in `cartella` (the folder's permission bits
// alone do not tell, e.g. on a read-only mount).
bool cartella_scrivibile(const QString& cartella);
