#pragma once

#include "core/salti.h"

#include <array>
#include <cstdint>
#include <optional>

// The figures a coach reads at once from a test, with the means and total
// decrements of the averages window. Plain values, no Qt: the report and the
// athlete's history compute them for one test or for hundreds.
namespace figure_prova {

struct Figure {
    int32_t n_salti = 0;

    // Highest jump (the first of equal heights): its height, its repetition
    // number as the jump list shows it, and its place 1..N in the test.
    double altezza_migliore = 0;  // cm
    double n_rip_migliore = 0;
    int32_t salto_migliore = 0;

    // Mean of the three highest jumps (of all of them when there are fewer).
    double media_tre_migliori = 0;  // cm
    double media_t_contatto = 0;    // ms, every jump

    // Reactive strength index of a jump: height in m / contact time in s. A jump
    // whose contact time is not above 0 has no index and is left out of the mean
    // and the best; with no such jump both are empty.
    int32_t n_indici_reattivi = 0;
    std::optional<double> indice_reattivo_medio;
    std::optional<double> indice_reattivo_migliore;

    // Drop of the mean height of the last fifth of the jumps from the mean height
    // of the first fifth, in percent of the first (positive: the athlete tired).
    // A fifth is ceil(N / 5) jumps, at least one. Empty when the first fifth's
    // mean height is not above 0.
    int32_t quinto = 0;
    std::optional<double> indice_fatica;

    // As the averages window computes them over every jump (indices 1..5).
    std::array<float, 7> medie{};
    std::array<float, 7> decrementi{};
};

// Every figure of the test; an empty test gives zeros and empty optionals.
Figure calcola(const Salti& salti);

}  // namespace figure_prova
