#pragma once

#include <QtGlobal>

class QValueAxis;

// Where the jump graph's axes put their limits and ticks, so that every label
// names the value under its tick: ticks fall on the multiples of a round step
// (…, 0.1, 0.2, 0.5, 1, 2, 5, 10, …) and labels show as many decimals as the step has.
namespace scala_assi {

struct Scala {
    double minimo = 0;
    double massimo = 10;
    double passo = 1;  // ticks at the multiples of passo between minimo and massimo
};

// The smallest round step that splits `ampiezza` into at most `intervalli` intervals.
double passo_tondo(double ampiezza, int intervalli);

// The decimals a label needs to show every multiple of `passo` exactly.
int decimali(double passo);

// The jump-number axis for `punti` points, the first at 1: from 0 to the first
// tick at or past the next multiple of 10 (at least 10), ticks on whole jump numbers.
Scala asse_salti(qsizetype punti);

// A value axis that follows its data (0 always in view): limits on multiples of the step.
Scala asse_dati(double dati_min, double dati_max);

// A value axis around its data, 0 in view or not, with a margin either side:
// differences of a few centimetres between tests stay visible.
Scala asse_attorno(double dati_min, double dati_max);

// A value axis kept at the limits written (in either order; equal limits span 1).
Scala asse_fisso(double a, double b);

// Puts the axis on the scale: ticks on the multiples of its step, labels with the
// decimals the step needs.
void applica(QValueAxis* asse, const Scala& scala);

}  // namespace scala_assi
