#pragma once

#include <QSizeF>

#include <functional>

class QWidget;

// Layout in twips. A window's geometry is read back as the twips of the pixels it
// really occupies, so a chain of placements ("left = previous left + width")
// builds on what is on screen.

// The main window's client width and height in twips, asked at every layout.
using DimensioniClient = std::function<QSizeF()>;

namespace disposizione {

double sinistra(const QWidget* w);
double alto(const QWidget* w);
double larghezza(const QWidget* w);
double altezza(const QWidget* w);

// One layout step: places w at these twips. A step with a negative size fails as
// a whole and leaves w as it was (returns false); the caller goes on with the next.
bool posa(QWidget* w, double sinistra, double alto, double larghezza, double altezza);

}  // namespace disposizione
