#pragma once

#include <span>
#include <vector>

// The two statistics the averages need: an arithmetic mean and a straight-line
// least-squares fit.
namespace statistica {

// Arithmetic mean; an empty list has mean 0.
double media(std::span<const double> valori);

struct Retta {
    std::vector<double> valori_adattati;  // intercetta + pendenza * x, one per pair
    double pendenza = 0;
    double intercetta = 0;
    double errore_quadratico_medio = 0;  // mean of the squared residuals
};

// Fits y = intercetta + pendenza * x to the pairs (x[i], y[i]); when the lists differ
// in length the first min(|x|, |y|) pairs are used. With fewer than two pairs, or
// with every x equal, no slope is defined: the line is flat at the mean of y.
Retta retta_minimi_quadrati(std::span<const double> x, std::span<const double> y);

}  // namespace statistica
