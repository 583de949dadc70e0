#include "ui/misura_testo.h"

#include <QFontMetrics>

#include <algorithm>

namespace misura_testo {

bool entra(const QFont& f, const QStringList& testi, QSize riquadro) {
    const QFontMetrics m(f);
    if (m.height() > riquadro.height()) return false;
    return std::all_of(testi.begin(), testi.end(),
                       [&](const QString& t) { return m.horizontalAdvance(t) <= riquadro.width(); });
}

int dimensione_massima(int minima, int massima, const std::function<bool(int)>& entra) {
    if (massima < minima || !entra(minima)) return minima;
    int si = minima, no = massima + 1;  // entra(si) holds; entra(no) does not (or is past the end)
    while (no - si > 1) {
        const int mezzo = si + (no - si) / 2;
        (entra(mezzo) ? si : no) = mezzo;
    }
    return si;
}

QFont in_pixel(QFont f, int pixel) {
    f.setPixelSize(std::max(1, pixel));
    return f;
}

QFont carattere_per_riquadro(QFont f, const QStringList& testi, QSize riquadro, int minima, int massima) {
    const int d = dimensione_massima(minima, massima, [&](int p) { return entra(in_pixel(f, p), testi, riquadro); });
    return in_pixel(f, d);
}

}  // namespace misura_testo
