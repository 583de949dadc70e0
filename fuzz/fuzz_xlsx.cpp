// Any bytes as an .xlsx workbook: reading stays inside the limits (cells, one
// test's jumps), every cell lies inside the sheet with a finite number, and a
// test read from it holds only finite numbers.
#include "file_temporaneo.h"
#include "foglio_letto.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    QString errore;
    const auto foglio = leggi_xlsx(file_di_prova(dati, n, "xlsx"), limiti_fuzz, &errore);
    const FoglioMemoria* f = controlla_lettura(foglio, errore);
    if (!f) return 0;
    for (const auto& [chiave, cella] : f->celle()) {
        const int r = FoglioMemoria::riga_di(chiave), c = FoglioMemoria::colonna_di(chiave);
        if (r < 1 || r > righe_massime_foglio || c < 1 || c > colonne_massime_foglio) std::abort();
        if (const double* d = std::get_if<double>(&cella.valore); d && !std::isfinite(*d)) std::abort();
    }
    controlla_prova(*f);
    return 0;
}
