#include "report/scala_asse.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace scala_asse {
namespace {

constexpr double limite = 1e9;

double pulito(double v) { return std::isfinite(v) ? std::clamp(v, -limite, limite) : 0.0; }

double passo_tondo(double grezzo, bool interi) {
    const double potenza = std::pow(10.0, std::floor(std::log10(grezzo)));
    const double r = grezzo / potenza;
    double m = 10;
    if (r <= 1) m = 1;
    else if (r <= 2) m = 2;
    else if (r <= 2.5 && !(interi && potenza < 10)) m = 2.5;
    else if (r <= 5) m = 5;
    return m * potenza;
}

}  // namespace

int Scala::tacche() const { return static_cast<int>(std::lround((massimo - minimo) / passo)) + 1; }

Scala calcola(double da, double a, int tacche, bool interi) {
    da = pulito(da);
    a = pulito(a);
    if (da > a) std::swap(da, a);
    if (a - da < 1e-9) {
        const double margine = std::max(1.0, std::abs(a) * 0.1);
        da -= margine;
        a += margine;
    }
    Scala s;
    s.passo = passo_tondo((a - da) / std::max(1, tacche), interi);
    if (interi) s.passo = std::max(1.0, s.passo);
    s.minimo = std::floor(da / s.passo + 1e-9) * s.passo;
    s.massimo = std::ceil(a / s.passo - 1e-9) * s.passo;
    // Enough decimals for every multiple of the step (2.5 -> 1, 0.25 -> 2).
    for (double x = s.passo; s.decimali < 6 && std::abs(x - std::round(x)) > 1e-6 * std::max(1.0, x); x *= 10)
        ++s.decimali;
    return s;
}

}  // namespace scala_asse
