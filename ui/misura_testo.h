#pragma once

#include <QFont>
#include <QSize>
#include <QStringList>

#include <functional>

// Sizing text to the controls it must fit, in pixels: whether texts fit a box in a
// font, and the largest font size that fits. Layouts call these with the box a
// control leaves for its text once placed.
namespace misura_testo {

// Whether every text, in this font, fits a box of this size.
bool entra(const QFont& f, const QStringList& testi, QSize riquadro);

// The largest whole size from `minima` to `massima` for which `entra` holds (the
// sizes that fit are taken to be the small ones); `minima` when none does.
int dimensione_massima(int minima, int massima, const std::function<bool(int)>& entra);

// `f` at the largest pixel size from `minima` to `massima` at which every text fits
// the box (at `minima` when none does).
QFont carattere_per_riquadro(QFont f, const QStringList& testi, QSize riquadro, int minima, int massima);

// `f` at this pixel size.
QFont in_pixel(QFont f, int pixel);

}  // namespace misura_testo
