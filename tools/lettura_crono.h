#pragma once

#include <cstdint>

// The stopwatch's arithmetic: what the display shows for an elapsed time, and
// when the periodic warning beeps.
namespace lettura_crono {

// What the display shows: minutes, seconds of the minute and tenths, all three
// truncated from the same elapsed time, so the reading is never ahead of it.
struct Lettura {
    int32_t minuti = 0;
    int32_t secondi = 0;       // 0..59
    int32_t decimi = 0;        // 0..9
    float secondi_minuto = 0;  // seconds of the running minute, not rounded: the warning's measure
};

// Elapsed milliseconds between two readings of the wrapping 32-bit tick counter.
int32_t trascorsi_ms(int32_t adesso, int32_t inizio);

Lettura leggi(int32_t t_ms);

// One tick of the warning: `intervallo` and the seconds of the minute are rounded
// (halves to even); a second that is not a multiple of the interval arms the
// warning, the next multiple beeps once and disarms it. Returns whether to beep.
// An interval that rounds to 0 never beeps and leaves `armato` as it is.
bool passo_avviso(float secondi_minuto, float intervallo, bool& armato);

}  // namespace lettura_crono
