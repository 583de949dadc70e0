#pragma once

#include "adapters/workbook/foglio_memoria.h"

#include <QString>

#include <cstdint>
#include <optional>

// How much a workbook file may ask for before it is refused with a clear error.
// The limits are far above anything a test of jumps needs and far below what
// would exhaust memory, so a damaged or hostile file (a zip bomb, a sheet of a
// million rows) fails quickly instead of taking the program down.
struct LimitiLettura {
    int64_t byte_file = 32LL << 20;   // the file on disk
    int64_t byte_parte = 64LL << 20;  // one part of an .xlsx once decompressed
    int64_t celle = 1LL << 20;        // cells holding a value
    int64_t stringhe = 1LL << 20;     // entries of the shared-string table
};

// The active worksheet of an .xlsx workbook: numbers, booleans, shared and
// inline strings, the cached results of formulas. Nothing when the file cannot
// be read, with the reason in `errore`. Both readers refuse a path that is not a
// regular file before opening it, and may run on any thread.
std::optional<FoglioMemoria> leggi_xlsx(const QString& percorso, const LimitiLettura& limiti, QString* errore);

// The first worksheet of a legacy .xls (BIFF) workbook.
std::optional<FoglioMemoria> leggi_xls(const QString& percorso, const LimitiLettura& limiti, QString* errore);
