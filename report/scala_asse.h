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

// The smallest range of whole steps (1, 2, 2.5 or 5 times a power of ten; 2.5
// not with `interi`, which also keeps the step at least 1) that holds [da, a]
// in about `tacche` steps. A range of one value is widened around it; values
// that are not finite are read as 0 and values beyond +-1e9 as that limit.
Scala calcola(double da, double a, int tacche = 5, bool interi = false);

}  // namespace scala_asse
