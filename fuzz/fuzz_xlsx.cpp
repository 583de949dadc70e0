// Any bytes as an .xlsx workbook: reading stays inside the limits (cells, one
// test's jumps), and a test read from it holds only finite numbers.
#include "file_temporaneo.h"
#include "files/foglio_prova.h"
#include "platform/lettura_cartelle.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {
// Small limits, so a run spends its time on the format rather than on bulk.
const LimitiLettura limiti{1LL << 20, 4LL << 20, 1LL << 14, 1LL << 14};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    QString errore;
    auto foglio = leggi_xlsx(file_di_prova(dati, n, "xlsx"), limiti, &errore);
    if (!foglio) {
        if (errore.isEmpty()) std::abort();
        return 0;
    }
    if (static_cast<int64_t>(foglio->numero_celle()) > limiti.celle) std::abort();
    for (const auto& [chiave, cella] : foglio->celle()) {
        const int r = FoglioMemoria::riga_di(chiave), c = FoglioMemoria::colonna_di(chiave);
        if (r < 1 || r > righe_massime_foglio || c < 1 || c > colonne_massime_foglio) std::abort();
        if (const double* d = std::get_if<double>(&cella.valore); d && !std::isfinite(*d)) std::abort();
    }
    const EsitoLettura e = leggi_prova_foglio(*foglio, {});
    if (e.tipo == EsitoLettura::Tipo::Letta)
        for (const Salto& s : e.prova.salti)
            for (double v : {s.t_volo, s.altezza, s.t_contatto, s.s_acc, s.potenza, s.n_rip})
                if (!std::isfinite(v)) std::abort();
    return 0;
}
