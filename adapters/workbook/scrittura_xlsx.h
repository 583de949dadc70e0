#pragma once

#include <QString>

class FoglioMemoria;

// Stores the sheet as an .xlsx workbook of one worksheet under `percorso`. The
// workbook is written in full to a temporary file beside the target, flushed to
// disk, and only then renamed over the target: a failure at any point leaves the
// file that was there before untouched. False with the reason in `errore`.
bool scrivi_xlsx(const FoglioMemoria& foglio, const QString& percorso, QString* errore);
