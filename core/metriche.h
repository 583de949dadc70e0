#pragma once

#include "core/salti.h"

#include <cstdint>

// Fills in the last record of `salti` (already holding its contact time) from its
// flight time: t_volo, altezza, s_acc, potenza and n_rip.
//
// A contact time of 0 (or any other input that makes a quantity non-finite, such
// as two flights summing to 0) would divide by zero in the power figure: such a
// quantity is stored as 0 instead, so the jump always completes and the list and
// the records stay in step.
void calcola_metriche(Salti& salti, int32_t tv_ms);
