#include "display/valori_grandi.h"

#include "core/numeri.h"

ValoriGrandi valori_grandi(bool chk_tv, bool chk_tc, const Salto* ultimo) {
    const Salto vuoto;
    const Salto& s = ultimo ? *ultimo : vuoto;
    return {chk_tv ? didascalie_grandi::tempo_volo : didascalie_grandi::altezza,
            numeri::formato_0(chk_tv ? s.t_volo : s.altezza),
            chk_tc ? didascalie_grandi::tempo_contatto : didascalie_grandi::potenza,
            numeri::formato_0(chk_tc ? s.t_contatto : s.potenza)};
}
