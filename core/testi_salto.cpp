#include "core/testi_salto.h"

#include "core/numeri.h"

namespace testi_salto {

Riga riga(const Salto& s, double n_rip) {
    return {numeri::formato_0(n_rip),        numeri::formato_0(s.t_volo),  numeri::formato_0(s.t_contatto),
            numeri::formato_0_0(s.altezza), numeri::formato_0_0(s.s_acc), numeri::formato_0_0(s.potenza)};
}

}  // namespace testi_salto
