#include "core/metriche.h"

#include <cmath>

namespace {
double finito_o_zero(double v) { return std::isfinite(v) ? v : 0.0; }
}

void calcola_metriche(Salti& salti, int32_t tv_ms) {
    const int32_t i = salti.numero();
    if (i < 1) return;
    Salto& s = salti[i];

    s.t_volo = static_cast<double>(static_cast<float>(tv_ms));
    s.altezza = finito_o_zero((s.t_volo * 0.001) * (s.t_volo * 0.001) * 122.5);

    if (i >= 2) {
        const float a = static_cast<float>(s.t_volo * 0.001);
        const float b = static_cast<float>(salti[i - 1].t_volo * 0.001);
        const double r = (4.9 * b) / (4.9 * a + 4.9 * b);
        const float x = static_cast<float>(r * s.t_contatto);
        const double xd = x;
        if (std::isfinite(xd) && xd != 0.0) {
            s.s_acc = finito_o_zero(s.t_volo * 0.001 * 245.0 * xd * 0.001);
            s.potenza = finito_o_zero((s.altezza + s.s_acc) * 98.1 / xd);
        } else {
            s.s_acc = 0.0;
            s.potenza = 0.0;
        }
    }
    s.n_rip = i;
    if (i == 1) {
        s.s_acc = 0.0;
        s.potenza = 0.0;
    }
}
