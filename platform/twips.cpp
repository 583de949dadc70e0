#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace twips {
namespace {
double fisso = 0.0;
}

double per_pixel() {
    if (fisso > 0.0) return fisso;
    double dpi = 96.0;
    if (auto* s = QGuiApplication::primaryScreen()) {
        double d = s->logicalDotsPerInch();
        if (d > 1.0) dpi = d;
    }
    return 1440.0 / dpi;
}

void imposta_per_pixel(double tpp) { fisso = tpp; }

int a_pixel(double tw) { return static_cast<int>(std::lround(tw / per_pixel())); }

double da_pixel(int px) { return px * per_pixel(); }

QRect rettangolo_pixel(double sinistra, double alto, double larghezza, double altezza) {
    // From the edges, so rectangles laid side by side in twips never overlap in pixels.
    const int x = a_pixel(sinistra), y = a_pixel(alto);
    return QRect(x, y, a_pixel(sinistra + larghezza) - x, a_pixel(alto + altezza) - y);
}

}  // namespace twips
