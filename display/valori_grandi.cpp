#include "display/valori_grandi.h"

#include "core/numeri.h"

ValoriGrandi valori_grandi(bool chk_tv, bool chk_tc, const Salto* ultimo) {
    const Salto vuoto;
    const Salto& s = ultimo ? *ultimo : vuoto;
    return {chk_tv ? QStringLiteral("TEMPO VOLO") : QStringLiteral("ALTEZZA"),
            numeri::formato_0(chk_tv ? s.t_volo : s.altezza),
            chk_tc ? QStringLiteral("TEMPO CONTATTO") : QStringLiteral("POTENZA"),
            numeri::formato_0(chk_tc ? s.t_contatto : s.potenza)};
}
