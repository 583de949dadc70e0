#include "ui/disposizione.h"

#include "platform/twips.h"

#include <QWidget>

namespace disposizione {

double sinistra(const QWidget* w) { return twips::da_pixel(w->x()); }
double alto(const QWidget* w) { return twips::da_pixel(w->y()); }
double larghezza(const QWidget* w) { return twips::da_pixel(w->width()); }
double altezza(const QWidget* w) { return twips::da_pixel(w->height()); }

bool posa(QWidget* w, double s, double a, double l, double h) {
    if (!w || !(l >= 0) || !(h >= 0)) return false;
    w->setGeometry(twips::rettangolo_pixel(s, a, l, h));
    return true;
}

}  // namespace disposizione
