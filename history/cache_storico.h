#pragma once

#include "history/prova_storico.h"

#include <QString>

#include <optional>
#include <vector>

// What the history already read, kept on disk so that the window opens at once:
// the jumps of every test read, by file name, size and last modification. The
// files stay the truth: a file whose size or time differs is read again, and a
// damaged file is never kept (it is read at every listing).
namespace cache_storico {

// The cache file of one athlete's folder, inside the cache folder.
QString file_per(const QString& cartella_cache, const QString& cartella_atleta);

// The tests a cache file holds, figures computed; nothing when the file is
// missing, of another version or damaged in any way.
std::vector<ProvaStorico> carica(const QString& percorso);

// Writes the tests read (the other rows are left out) as a whole, in place of the
// old file; the error text on failure.
std::optional<QString> salva(const QString& percorso, const std::vector<ProvaStorico>& prove);

}  // namespace cache_storico
