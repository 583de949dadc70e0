#include "core/assemblatore_salti.h"

#include "core/entrata_salti.h"
#include "core/numeri.h"
#include "core/stato.h"

#include <algorithm>
#include <limits>

int32_t parola_be(const uint8_t* b) {
    uint32_t v = (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | uint32_t{b[3]};
    return static_cast<int32_t>(v);
}

uint32_t parola_le(const uint8_t* b) {
    return uint32_t{b[0]} | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) | (uint32_t{b[3]} << 24);
}

namespace {
int32_t satura(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}
}  // namespace

bool AssemblatoreSalti::nuovi_tempi(int64_t tc_ms, int64_t tv_ms) {
    if (tv_ms > stato_.t_volo_min) {
        entrata_.aggiungi_salto(satura(pendente_ + tc_ms));
        entrata_.completa_salto(satura(tv_ms));
        pendente_ = 0;
        return true;
    }
    // Keep the sum within 32 bits: a run of garbage must not overflow it.
    pendente_ = satura(pendente_ + tv_ms + tc_ms);
    return false;
}

bool AssemblatoreSalti::nuovi_tempi_us(int64_t contatto_us, int64_t volo_us) {
    return nuovi_tempi(numeri::us_a_ms(contatto_us), numeri::us_a_ms(volo_us));
}
