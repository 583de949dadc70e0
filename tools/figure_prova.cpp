#include "tools/figure_prova.h"

#include "tools/calcolo_medie.h"
#include "tools/statistica.h"

#include <algorithm>
#include <array>
#include <functional>
#include <cmath>
#include <span>

namespace figure_prova {
namespace {

// Mean of the three largest values.
double media_tre_massimi(std::span<const double> v) {
    std::array<double, 3> alti{};
    const auto fine = std::partial_sort_copy(v.begin(), v.end(), alti.begin(), alti.end(), std::greater<>());
    return statistica::media(std::span<const double>(alti.begin(), fine));
}

}  // namespace

Figure calcola(const Salti& salti) {
    Figure f;
    const calcolo_medie::Valori valori = calcolo_medie::raccogli_tutti(salti);
    calcolo_medie::calcola(valori, f.medie, f.decrementi);
    const int32_t n = valori.n;
    f.n_salti = n;
    if (n == 0) return f;

    const std::vector<double>& altezze = valori.liste[2];
    const std::vector<double>& contatti = valori.liste[3];

    const auto migliore = std::max_element(altezze.begin(), altezze.end());
    const size_t i_migliore = static_cast<size_t>(migliore - altezze.begin());
    f.altezza_migliore = *migliore;
    f.salto_migliore = static_cast<int32_t>(i_migliore) + 1;
    f.n_rip_migliore = valori.liste[6][i_migliore];
    f.media_tre_migliori = media_tre_massimi(altezze);
    f.media_t_contatto = statistica::media(contatti);

    double somma_indici = 0;
    for (size_t i = 0; i < altezze.size(); ++i) {
        if (!(contatti[i] > 0)) continue;
        // (cm / 100) / (ms / 1000)
        const double indice = altezze[i] * 10.0 / contatti[i];
        if (!std::isfinite(indice)) continue;
        ++f.n_indici_reattivi;
        somma_indici += indice;
        if (!f.indice_reattivo_migliore || indice > *f.indice_reattivo_migliore) f.indice_reattivo_migliore = indice;
    }
    if (f.n_indici_reattivi > 0) f.indice_reattivo_medio = somma_indici / f.n_indici_reattivi;

    f.quinto = std::max<int32_t>(1, (n + 4) / 5);
    const std::span<const double> tutte(altezze);
    const double primo = statistica::media(tutte.first(static_cast<size_t>(f.quinto)));
    const double ultimo = statistica::media(tutte.last(static_cast<size_t>(f.quinto)));
    if (primo > 0 && std::isfinite(primo) && std::isfinite(ultimo)) f.indice_fatica = (primo - ultimo) / primo * 100.0;
    return f;
}

}  // namespace figure_prova
