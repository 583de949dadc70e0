#pragma once

#include "core/salti.h"

#include <QRectF>

class Carta;

// The test's graph as the jump panel shows it: the height of every jump on the
// left axis, its contact time on the right axis, against "N° Salto", drawn as
// lines (with markers while there are few jumps) in `area` (mm).
namespace grafico_rapporto {

inline constexpr int marcatori_fino_a = 60;  // jumps

void disegna(Carta& carta, const QRectF& area, const Salti& salti);

}  // namespace grafico_rapporto
