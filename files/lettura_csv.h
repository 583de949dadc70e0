#pragma once

#include "files/prova_letta.h"

#include <QString>

// The text file of a test, in free-format fields:
//   line 1   "HOPA", header text, athlete, exercise, header text, N
//   line 2-3 column titles and units (any text, skipped)
//   then N records of seven fields: number (ignored), t_volo, t_contatto,
//   altezza, s_acc, potenza, number (ignored).
// A first field other than "HOPA" (case counts) gives Ignorata. Record k gets
// n_rip = k whatever the file says; nothing is recomputed.
EsitoLettura leggi_prova_csv(const QString& testo);

// Reads the file (Windows-1252 text) and parses it. Files larger than this are
// refused, and a path that is not a regular file before it is opened. Any thread
// may read.
inline constexpr qint64 byte_massimi_csv = 16LL << 20;
EsitoLettura leggi_file_csv(const QString& percorso);
