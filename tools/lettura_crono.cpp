#include "tools/lettura_crono.h"

#include "core/numeri.h"

#include <algorithm>
#include <cmath>

namespace lettura_crono {

int32_t trascorsi_ms(int32_t adesso, int32_t inizio) {
    // Modular difference, as the counter wraps; no signed overflow.
    return static_cast<int32_t>(static_cast<uint32_t>(adesso) - static_cast<uint32_t>(inizio));
}

Lettura leggi(int32_t t) {
    Lettura l;
    const int32_t decimi_totali = std::max(t, 0) / 100;
    l.decimi = decimi_totali % 10;
    l.secondi = decimi_totali / 10 % 60;
    l.minuti = decimi_totali / 600;
    // The warning keeps its own measure of the minute, from the exact time.
    const float secondi = static_cast<float>(t / 1000.0);
    const float minuti = std::floor(secondi / 60.0f);
    l.secondi_minuto = secondi < 60.0f ? secondi : secondi - 60.0f * minuti;
    return l;
}

bool passo_avviso(float secondi_minuto, float intervallo, bool& armato) {
    const int64_t n = numeri::arrotonda_i32(intervallo);
    const int64_t q = numeri::arrotonda_i32(secondi_minuto);
    if (n == 0) return false;
    if (q % n != 0) {
        armato = true;
        return false;
    }
    if (!armato) return false;
    armato = false;
    return true;
}

}  // namespace lettura_crono
