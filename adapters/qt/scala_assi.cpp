#include "adapters/qt/scala_assi.h"

#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace scala_assi {

namespace {
constexpr int intervalli_salti = 10;
constexpr int intervalli_valori = 6;
}  // namespace

double passo_tondo(double ampiezza, int intervalli) {
    if (!(ampiezza > 0) || !std::isfinite(ampiezza) || intervalli < 1) return 1;
    const double minimo = ampiezza / intervalli;
    double decade = std::pow(10.0, std::floor(std::log10(minimo)));
    for (;;) {
        for (double m : {1.0, 2.0, 5.0})
            // A hair of tolerance: 10 / 10 must give 1, not 2.
            if (m * decade >= minimo * (1 - 1e-9)) return m * decade;
        decade *= 10;
    }
}

int decimali(double passo) {
    if (!(passo > 0) || passo >= 1) return 0;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(passo) - 1e-9)), 0, 9);
}

Scala asse_salti(qsizetype punti) {
    Scala s;
    s.minimo = 0;
    // Grows by tens (not at every jump), and ends on a tick.
    const double decine = std::max(10.0, std::ceil(static_cast<double>(punti) / 10.0) * 10.0);
    s.passo = std::max(1.0, passo_tondo(decine, intervalli_salti));
    s.massimo = std::ceil(decine / s.passo) * s.passo;
    return s;
}

namespace {
// Round limits around [lo, hi] on a round step.
Scala tonda(double lo, double hi) {
    Scala s;
    s.passo = passo_tondo(hi - lo, intervalli_valori);
    s.minimo = std::floor(lo / s.passo) * s.passo;
    s.massimo = std::ceil(hi / s.passo) * s.passo;
    return s;
}
}  // namespace

Scala asse_dati(double dati_min, double dati_max) {
    const double lo = std::min(0.0, dati_min);
    return tonda(lo, std::max({0.0, dati_max, lo + 1}));
}

Scala asse_attorno(double dati_min, double dati_max) {
    // A twentieth of the span (at least 1) either side, so no point sits on the frame.
    const double margine = std::max(1.0, (dati_max - dati_min) / 20);
    return tonda(dati_min - margine, dati_max + margine);
}

Scala asse_fisso(double a, double b) {
    Scala s;
    s.minimo = std::min(a, b);
    s.massimo = std::max(a, b);
    if (s.massimo == s.minimo) s.massimo = s.minimo + 1;
    s.passo = passo_tondo(s.massimo - s.minimo, intervalli_valori);
    return s;
}

void applica(QValueAxis* asse, const Scala& scala) {
    // Only what differs is set: every setter, even of the same value, makes the
    // chart write its labels again and lay itself out.
    if (asse->tickType() != QValueAxis::TicksDynamic) asse->setTickType(QValueAxis::TicksDynamic);
    if (asse->tickAnchor() != 0) asse->setTickAnchor(0);
    if (asse->tickInterval() != scala.passo) asse->setTickInterval(scala.passo);
    const QString formato = QStringLiteral("%.%1f").arg(decimali(scala.passo));
    if (asse->labelFormat() != formato) asse->setLabelFormat(formato);
    if (asse->min() != scala.minimo || asse->max() != scala.massimo) asse->setRange(scala.minimo, scala.massimo);
}

}  // namespace scala_assi
