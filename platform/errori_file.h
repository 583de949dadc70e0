#pragma once

#include <QString>

#include <system_error>

class QFileDevice;

// The Italian descriptions of the file system's errors. The system and Qt describe
// them in English (Qt keeps the system's text, not its number), and the coach must
// read what went wrong and what to do.
namespace errori_file {

// A system error number (errno: ENOSPC, ENOENT, ENAMETOOLONG, EACCES, EROFS, ...).
QString descrizione(int numero_errore);

// An error of the standard library (std::filesystem, ...), through its portable condition.
QString descrizione(const std::error_code& codice);

// Why the last operation on `f` failed. The system's text Qt recorded is traced back
// to its error number; a transfer cut short with nothing recorded (the disk filled
// up part way) is described by the kind of operation.
QString descrizione(const QFileDevice& f);

}  // namespace errori_file
