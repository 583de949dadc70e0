#pragma once

// Round limits and tick step for a value axis of the report's graph.
namespace scala_asse {

struct Scala {
    double minimo = 0;
    double massimo = 1;
    double passo = 1;
    int decimali = 0;  // decimals of the tick labels
    int tacche() const;  // number of ticks, both ends included
};

// Limits on whole steps that hold [da, a], the step round (1, 2, 2.5 or 5 times
// a power of ten; with `interi` a whole number, at least 1) and chosen so that
// the number of steps is as near `tacche` as it can be. A range of one value is widened around it; values
// that are not finite are read as 0 and values beyond +-1e9 as that limit.
Scala calcola(double da, double a, int tacche = 5, bool interi = false);

}  // namespace scala_asse
