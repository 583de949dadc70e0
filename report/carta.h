#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

// Drawing in millimetres on a device of any resolution (PDF writer, printer):
// every length is converted to device pixels, fonts are sized in points on the
// device, and text is drawn as text.
class Carta {
public:
    Carta(QPainter& p, double pixel_per_mm) : p_(p), mm_(pixel_per_mm) {}

    QPainter& pittore() { return p_; }
    double pixel(double mm) const { return mm * mm_; }
    QPointF punto(double x, double y) const { return {x * mm_, y * mm_}; }
    QRectF rettangolo(const QRectF& r) const { return {r.x() * mm_, r.y() * mm_, r.width() * mm_, r.height() * mm_}; }

    static QFont carattere(double punti, bool grassetto = false);
    void usa(const QFont& f) { p_.setFont(f); }
    // Text in `r` (mm) with Qt alignment flags; cut with an ellipsis when wider.
    void testo(const QRectF& r, int allineamento, const QString& s);
    // Width of a text in the current font, mm.
    double larghezza(const QString& s) const;

    void linea(double x1, double y1, double x2, double y2, const QColor& colore, double spessore = 0.2);
    void riquadro(const QRectF& r, const QColor& bordo, const QColor& riempimento = Qt::transparent,
                  double spessore = 0.2);

private:
    QPainter& p_;
    double mm_;
};
