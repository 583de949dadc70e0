#pragma once

#include "core/salto.h"

#include <QString>

// The four captions the large displays can show (the panel sizes their text to the longest).
namespace didascalie_grandi {
inline const QString altezza = QStringLiteral("ALTEZZA");
inline const QString tempo_volo = QStringLiteral("TEMPO VOLO");
inline const QString potenza = QStringLiteral("POTENZA");
inline const QString tempo_contatto = QStringLiteral("TEMPO CONTATTO");
}  // namespace didascalie_grandi

// What the jump panel's two large displays show, as the header's boxes choose: the
// left one the flight time while Chk_tv is checked, else the height; the right one
// the contact time while Chk_tc is checked, else the power. Each caption names what
// its value shows, also while both boxes of a pair are clear.
struct ValoriGrandi {
    QString didascalia_tvolo, valore_tvolo;
    QString didascalia_tcontatto, valore_tcontatto;
};

// `ultimo` is the last jump of the test, null when the test is empty (values "0").
ValoriGrandi valori_grandi(bool chk_tv, bool chk_tc, const Salto* ultimo);
