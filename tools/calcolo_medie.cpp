#include "tools/calcolo_medie.h"

#include "core/numeri.h"
#include "tools/statistica.h"

#include <algorithm>

namespace calcolo_medie {
namespace {

void aggiungi(Valori& v, const Salto& s, bool anche_spinta) {
    v.liste[1].push_back(s.t_volo);
    v.liste[2].push_back(s.altezza);
    v.liste[3].push_back(s.t_contatto);
    if (anche_spinta) {
        v.liste[4].push_back(s.s_acc);
        v.liste[5].push_back(s.potenza);
    }
    v.liste[6].push_back(s.n_rip);
}

}  // namespace

Valori raccogli_tutti(const Salti& salti) {
    Valori v;
    v.n = salti.numero();
    for (int32_t i = 1; i <= v.n; ++i) aggiungi(v, salti[i], i >= 2);
    return v;
}

Valori raccogli_selezionati(const Salti& salti, const std::vector<int32_t>& righe) {
    std::vector<int32_t> valide;
    for (int32_t r : righe)
        if (r >= 0 && r < salti.numero()) valide.push_back(r);
    std::sort(valide.begin(), valide.end());
    valide.erase(std::unique(valide.begin(), valide.end()), valide.end());
    Valori v;
    v.n = static_cast<int32_t>(valide.size());
    for (int32_t r : valide) aggiungi(v, salti[r + 1], true);
    return v;
}

bool calcola(const Valori& valori, std::array<float, 7>& medie, std::array<float, 7>& decrementi) {
    if (valori.n <= 0) return false;
    std::array<double, 7> pendenze{};
    if (valori.n > 2) {
        for (int k = 1; k <= 6; ++k)
            pendenze[k] = statistica::retta_minimi_quadrati(valori.liste[6], valori.liste[k]).pendenza;
    }
    for (int k = 1; k <= 5; ++k) medie[k] = numeri::a_float32(statistica::media(valori.liste[k]));
    for (int k = 0; k <= 6; ++k) decrementi[k] = numeri::a_float32(pendenze[k] * (valori.n - 2));
    return true;
}

}  // namespace calcolo_medie
