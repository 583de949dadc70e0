// Any bytes as the text file of a test: a read test holds exactly the N jumps its
// first line announces, numbered 1..N, every field finite; the file read from
// disk gives what the text gives.
#include "core/cp1252.h"
#include "files/lettura_csv.h"
#include "file_temporaneo.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {
void verifica(const EsitoLettura& e) {
    if (e.tipo != EsitoLettura::Tipo::Letta) {
        if (!e.prova.salti.empty()) std::abort();
        if (e.tipo == EsitoLettura::Tipo::Errore && e.errore.isEmpty()) std::abort();
        return;
    }
    if (e.prova.salti.size() > 32767) std::abort();
    for (size_t k = 0; k < e.prova.salti.size(); ++k) {
        const Salto& s = e.prova.salti[k];
        for (double v : {s.t_volo, s.altezza, s.t_contatto, s.s_acc, s.potenza})
            if (!std::isfinite(v)) std::abort();
        if (s.n_rip != static_cast<double>(k + 1)) std::abort();
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const QByteArray byte(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(n));
    const EsitoLettura dal_testo = leggi_prova_csv(cp1252::decodifica(byte));
    verifica(dal_testo);
    const EsitoLettura dal_file = leggi_file_csv(file_di_prova(dati, n, "csv"));
    if (dal_file.tipo != dal_testo.tipo || dal_file.prova.salti != dal_testo.prova.salti ||
        dal_file.prova.nome_utente != dal_testo.prova.nome_utente)
        std::abort();
    return 0;
}
