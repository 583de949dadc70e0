#pragma once

#include "athletes/righe_configurazione.h"

#include <QByteArray>

// The list file "hopa.ini": the highest row number, then for every row but the
// athletes' the number of its entries minus one and the entries in order.
namespace file_elenchi {

QByteArray scrivi(const RigheConfigurazione& righe);

// Empties row 1, then inserts the entries the file holds into their rows, using
// the highest row number the file states (rows the dialog does not have are read
// and dropped). A file that ends early, or a count that is not a 16-bit number,
// ends the reading where it stands: nothing is invented.
void leggi(const QByteArray& contenuto, RigheConfigurazione& righe);

}  // namespace file_elenchi
