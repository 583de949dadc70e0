#include "tools/statistica.h"

#include <algorithm>

namespace statistica {

double media(std::span<const double> valori) {
    if (valori.empty()) return 0.0;
    double somma = 0.0;
    for (double v : valori) somma += v;
    return somma / static_cast<double>(valori.size());
}

Retta retta_minimi_quadrati(std::span<const double> x, std::span<const double> y) {
    const size_t n = std::min(x.size(), y.size());
    x = x.first(n);
    y = y.first(n);
    Retta r;
    const double mx = media(x);
    const double my = media(y);
    // Centred sums: no cancellation when x or y sit far from zero.
    double sxx = 0.0, sxy = 0.0;
    for (size_t i = 0; i < n; ++i) {
        sxx += (x[i] - mx) * (x[i] - mx);
        sxy += (x[i] - mx) * (y[i] - my);
    }
    r.pendenza = (n >= 2 && sxx > 0.0) ? sxy / sxx : 0.0;
    r.intercetta = my - r.pendenza * mx;
    r.valori_adattati.reserve(n);
    double somma_quadrati = 0.0;
    for (size_t i = 0; i < n; ++i) {
        double f = r.intercetta + r.pendenza * x[i];
        r.valori_adattati.push_back(f);
        somma_quadrati += (y[i] - f) * (y[i] - f);
    }
    r.errore_quadratico_medio = n > 0 ? somma_quadrati / static_cast<double>(n) : 0.0;
    return r;
}

}  // namespace statistica
