#include "report/impaginazione.h"

#include <algorithm>
#include <cmath>

namespace impaginazione {
namespace {

constexpr double altezza_titolo = 11;
constexpr double altezza_intestazione = 19;
constexpr double altezza_riquadri = 46;  // figures and means, side by side
constexpr double altezza_grafico = 82;
constexpr double altezza_testata_pagina = 8;
constexpr double altezza_piede = 8;
constexpr double spazio = 4;  // between the parts of page 1
constexpr double spazio_riquadri = 6;
constexpr int32_t righe_minime_prima = 3;

}  // namespace

QSizeF contenuto_a4() {
    return {larghezza_a4 - margine_sinistro - margine_destro, altezza_a4 - margine_alto - margine_basso};
}

Geometria geometria(QSizeF contenuto) {
    const double w = contenuto.width();
    const double h = contenuto.height();
    Geometria g;
    double y = 0;
    g.titolo = {0, y, w, altezza_titolo};
    y += altezza_titolo + spazio;
    g.intestazione = {0, y, w, altezza_intestazione};
    y += altezza_intestazione + spazio;
    const double meta = (w - spazio_riquadri) / 2;
    g.figure = {0, y, meta, altezza_riquadri};
    g.medie = {meta + spazio_riquadri, y, meta, altezza_riquadri};
    y += altezza_riquadri + spazio;
    g.grafico = {0, y, w, altezza_grafico};
    y += altezza_grafico + spazio;
    g.alto_tabella_prima = y;
    g.testata_pagina = {0, 0, w, altezza_testata_pagina};
    g.alto_tabella_altre = altezza_testata_pagina + spazio;
    g.piede = {0, h - altezza_piede, w, altezza_piede};
    g.fondo_tabella = h - altezza_piede - 2;
    g.larghezza_blocco = (w - spazio_blocchi) / 2;
    return g;
}

int32_t righe_per_blocco(double alto, const Geometria& g) {
    const double spazio_righe = g.fondo_tabella - alto - altezza_testata;
    if (!(spazio_righe > 0)) return 0;
    return static_cast<int32_t>(std::floor(spazio_righe / altezza_riga + 1e-9));
}

std::vector<Pagina> impagina(int32_t n_salti, const Geometria& g) {
    std::vector<Pagina> pagine;
    Pagina prima;
    prima.alto_tabella = g.alto_tabella_prima;
    int32_t per_blocco = righe_per_blocco(prima.alto_tabella, g);
    if (per_blocco < righe_minime_prima) per_blocco = 0;
    const int32_t per_blocco_altre = std::max<int32_t>(1, righe_per_blocco(g.alto_tabella_altre, g));
    int32_t fatte = 0;
    Pagina p = prima;
    for (;;) {
        for (Blocco& b : p.blocchi) {
            b.prima = fatte;
            b.righe = std::min(per_blocco, std::max<int32_t>(0, n_salti - fatte));
            fatte += b.righe;
        }
        pagine.push_back(p);
        if (fatte >= n_salti) break;
        p = Pagina{};
        p.alto_tabella = g.alto_tabella_altre;
        per_blocco = per_blocco_altre;
    }
    return pagine;
}

}  // namespace impaginazione
