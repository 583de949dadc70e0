#pragma once

#include <QString>

// The text of "Informazioni su...": the version, the folder the register hangs
// from, and where the tests are archived: the "prove" folder of each athlete's
// folder (the current athlete's is named), or of the program folder while no
// athlete is chosen (`cartella_utente` empty).
QString testo_informazioni(const QString& testo_versione, const QString& cartella_programma,
                           const QString& cartella_utente);
