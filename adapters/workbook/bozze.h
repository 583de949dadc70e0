#pragma once

#include <QString>

// The drafts of a workbook save: folders in the system's temporary directory,
// named after the process that makes them ("hopa-bozza-<pid>-XXXXXX"), so that a
// later start removes those of a process killed in the middle of a save.
namespace bozze {

// The template of a new draft folder of this process, for QTemporaryDir.
QString modello();

// Removes the drafts in `cartella` whose process no longer runs; gives how many.
int rimuovi_abbandonate(const QString& cartella);

bool processo_vivo(qint64 pid);

}  // namespace bozze
