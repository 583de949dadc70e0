#pragma once

#include "athletes/righe_configurazione.h"
#include "core/cartelle_programma.h"
#include "core/sessione_atleta.h"
#include "core/titoli.h"
#include "platform/dialoghi.h"

#include <QString>

// The register files on disk, against the application state. Failures are shown
// in a message box (the procedure's name and the system's description) and end
// the operation; what was already changed stays changed.

inline const QString testo_file_non_compatibile = QStringLiteral("File non compatibile!");

// Writes the list file (creating `cartella_ini` when missing) from the rows, then
// the athlete file `filename`; with no filename, cartella_utente/nome_utente.cfg,
// or no athlete file at all when nome_utente is empty. True when all was written.
bool Salva_File_Config(const SessioneAtleta& sessione, const CartelleProgramma& cartelle,
                       const RigheConfigurazione& righe, Messaggi& messaggi, const QString& filename = {});

// Reads the athlete file into indice_utente and cartella_utente. A first value
// other than "hopa_cfg" shows "File non compatibile!" and changes nothing. True
// when the file was an athlete file (all or part of it was taken).
bool Carica_File_Config(SessioneAtleta& sessione, Messaggi& messaggi, const QString& filename);

// Reads the list file into rows 0, 2, 3 and 4 after emptying row 1; a missing
// file leaves the rows as they are.
void leggi_file_ini(const CartelleProgramma& cartelle, Messaggi& messaggi, RigheConfigurazione& righe);
