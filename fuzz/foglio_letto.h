#pragma once

// What every workbook reader must give, whatever the bytes: an error with a
// reason, or a sheet inside the cell limit whose test (when it holds one) has
// only finite numbers.

#include "files/foglio_prova.h"
#include "adapters/workbook/lettura_cartelle.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

// Small limits, so a run spends its time on the format rather than on bulk.
inline const LimitiLettura limiti_fuzz{1LL << 20, 4LL << 20, 1LL << 14, 1LL << 14};

// Aborts on a failure without a reason or a sheet over the cell limit; gives the
// sheet read, if any, for further checks.
inline const FoglioMemoria* controlla_lettura(const std::optional<FoglioMemoria>& foglio, const QString& errore) {
    if (!foglio) {
        if (errore.isEmpty()) std::abort();
        return nullptr;
    }
    if (static_cast<int64_t>(foglio->numero_celle()) > limiti_fuzz.celle) std::abort();
    return &*foglio;
}

// Aborts when the test read from the sheet holds a number that is not finite.
inline void controlla_prova(const FoglioMemoria& foglio) {
    const EsitoLettura e = leggi_prova_foglio(foglio, {});
    if (e.tipo == EsitoLettura::Tipo::Letta)
        for (const Salto& s : e.prova.salti)
            for (double v : {s.t_volo, s.altezza, s.t_contatto, s.s_acc, s.potenza, s.n_rip})
                if (!std::isfinite(v)) std::abort();
}
