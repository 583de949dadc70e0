#include "report/scala_asse.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace scala_asse {
namespace {

constexpr double limite = 1e9;

double pulito(double v) { return std::isfinite(v) ? std::clamp(v, -limite, limite) : 0.0; }

double limite_sotto(double v, double passo) { return std::floor(v / passo + 1e-9) * passo; }
double limite_sopra(double v, double passo) { return std::ceil(v / passo - 1e-9) * passo; }

// The round step whose whole-step range around [da, a] has the number of
// intervals nearest to `tacche` (the larger step on a tie).
double passo_tondo(double da, double a, int tacche, bool interi) {
    const double potenza = std::pow(10.0, std::floor(std::log10((a - da) / tacche)));
    double migliore = 0, scarto_migliore = 0;
    for (double m : {10.0, 5.0, 2.5, 2.0, 1.0}) {
        const double passo = m * potenza;
        if (interi && (passo < 1 || std::floor(passo) != passo)) continue;
        const double intervalli = (limite_sopra(a, passo) - limite_sotto(da, passo)) / passo;
        const double scarto = std::abs(intervalli - tacche);
        if (migliore == 0 || scarto < scarto_migliore) {
            migliore = passo;
            scarto_migliore = scarto;
        }
    }
    return migliore > 0 ? migliore : 1.0;
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
    s.passo = passo_tondo(da, a, std::max(1, tacche), interi);
    s.minimo = limite_sotto(da, s.passo);
    s.massimo = limite_sopra(a, s.passo);
    // Enough decimals for every multiple of the step (2.5 -> 1, 0.25 -> 2).
    for (double x = s.passo; s.decimali < 6 && std::abs(x - std::round(x)) > 1e-6 * std::max(1.0, x); x *= 10)
        ++s.decimali;
    return s;
}

}  // namespace scala_asse
