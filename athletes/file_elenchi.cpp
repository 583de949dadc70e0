#include "athletes/file_elenchi.h"

#include "athletes/formato_registro.h"
#include "core/cp1252.h"
#include "core/lettore_campi.h"
#include "core/numeri.h"

#include <optional>

namespace file_elenchi {
namespace {
std::optional<int16_t> leggi_i16(LettoreCampi& l) {
    auto campo = l.campo();
    if (!campo) return std::nullopt;
    return numeri::converti_i16(numeri::prefisso(*campo));
}
}  // namespace

QByteArray scrivi(const RigheConfigurazione& righe) {
    QStringList linee{formato_registro::intero(ultima_riga)};
    for (int k = 0; k <= ultima_riga; ++k) {
        if (k == riga_atleta) continue;
        const QStringList& voci = righe[static_cast<size_t>(k)].voci;
        linee << formato_registro::intero(static_cast<int32_t>(voci.size()) - 1);
        for (const QString& v : voci) linee << formato_registro::testo(v);
    }
    return formato_registro::righe_in_byte(linee);
}

void leggi(const QByteArray& contenuto, RigheConfigurazione& righe) {
    righe[riga_atleta] = {};
    LettoreCampi l(cp1252::decodifica(contenuto));
    auto r = leggi_i16(l);
    if (!r) return;
    for (int k = 0; k <= *r; ++k) {
        if (k == riga_atleta) continue;
        auto m = leggi_i16(l);
        if (!m) return;
        for (int j = 0; j <= *m; ++j) {
            auto voce = l.campo();
            if (!voce) return;
            if (k > ultima_riga) continue;
            QStringList& voci = righe[static_cast<size_t>(k)].voci;
            voci.insert(std::min<qsizetype>(j, voci.size()), *voce);
        }
    }
}

}  // namespace file_elenchi
