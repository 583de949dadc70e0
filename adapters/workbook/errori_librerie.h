#pragma once

#include <QString>

#include <zip.h>

// Italian descriptions of the failures of the workbook libraries, whose own texts
// are English. A failure of the system underneath (a full disk, a missing folder)
// is described as the file system's own error.
namespace errori_librerie {

QString descrizione_zip(const zip_error_t* errore);

}  // namespace errori_librerie
