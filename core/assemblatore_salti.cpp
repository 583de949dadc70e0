#include "core/assemblatore_salti.h"

#include "core/modello_prova.h"
#include "core/numeri.h"
#include "core/sessione_atleta.h"

#include <algorithm>
#include <limits>

namespace {
int32_t satura(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}
}  // namespace

bool AssemblatoreSalti::nuovi_tempi(int64_t tc_ms, int64_t tv_ms) {
    if (tv_ms > sessione_.t_volo_min) {
        prova_.aggiungi_salto(satura(pendente_ + tc_ms));
        prova_.completa_salto(satura(tv_ms));
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
