#pragma once

#include <QMargins>
#include <QRect>

// What a window manager is expected to add around a window: borders and a title bar.
inline constexpr QMargins cornice_stimata{8, 32, 8, 8};

// Where the main window opens (its client area with the menu bar, in screen
// pixels) on a screen whose free area, without task bars, is `disponibile`: inside
// it together with its frame `cornice`, centred, nine tenths of it on a large
// screen, at least 1024 x 700 where that fits, all of it on a small screen.
QRect geometria_principale(const QRect& disponibile, const QMargins& cornice = cornice_stimata);
