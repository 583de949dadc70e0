#pragma once

#include "core/salti.h"

#include <array>
#include <cstdint>
#include <vector>

// Means and total decrements of the jumps of a test. Quantities are numbered
// 1 t_volo, 2 altezza, 3 t_contatto, 4 s_acc, 5 potenza, 6 n_rip; index 0 is unused.
namespace calcolo_medie {

struct Valori {
    int32_t n = 0;                             // jumps taken into account
    std::array<std::vector<double>, 7> liste;  // values of quantity k, in jump order
};

// Every jump of the test. The first jump's s_acc and potenza are left out.
Valori raccogli_tutti(const Salti& salti);

// The jumps whose rows (0-based, row r is jump r + 1) are selected in the jump
// list, all six quantities of each. Rows that name no jump, and repeated rows,
// do not count.
Valori raccogli_selezionati(const Salti& salti, const std::vector<int32_t>& righe);

// Means of quantities 1..5 into `medie` (entries 0 and 6 untouched) and total
// decrements, slope against n_rip x (n - 2), into every entry of `decrementi`;
// slopes only when n > 2. With n == 0 nothing changes and the result is false.
bool calcola(const Valori& valori, std::array<float, 7>& medie, std::array<float, 7>& decrementi);

}  // namespace calcolo_medie
