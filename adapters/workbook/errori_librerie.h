#pragma once

#include <QString>

#include <xlsxwriter.h>
#include <zip.h>

// Italian descriptions of the failures of the workbook libraries, whose own texts
// are English. A failure of the system underneath (a full disk, a missing folder)
// is described as the file system's own error.
namespace errori_librerie {

QString descrizione_zip(const zip_error_t* errore);

// `numero_errore`: errno as the library left it (0 when unknown).
QString descrizione_xlsxwriter(lxw_error errore, int numero_errore);

}  // namespace errori_librerie
