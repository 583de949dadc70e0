#include "report/carta.h"

#include <QFontMetricsF>

QFont Carta::carattere(double punti, bool grassetto) {
    QFont f;
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    return f;
}

void Carta::testo(const QRectF& r, int allineamento, const QString& s) {
    const QRectF px = rettangolo(r);
    const QFontMetricsF m(p_.font(), p_.device());
    const QString visto = m.horizontalAdvance(s) <= px.width() ? s : m.elidedText(s, Qt::ElideRight, px.width());
    p_.drawText(px, allineamento, visto);
}

double Carta::larghezza(const QString& s) const {
    return QFontMetricsF(p_.font(), p_.device()).horizontalAdvance(s) / mm_;
}

void Carta::linea(double x1, double y1, double x2, double y2, const QColor& colore, double spessore) {
    p_.setPen(QPen(colore, pixel(spessore)));
    p_.drawLine(punto(x1, y1), punto(x2, y2));
}

void Carta::riquadro(const QRectF& r, const QColor& bordo, const QColor& riempimento, double spessore) {
    p_.setPen(bordo.alpha() == 0 ? QPen(Qt::NoPen) : QPen(bordo, pixel(spessore)));
    p_.setBrush(riempimento);
    p_.drawRect(rettangolo(r));
    p_.setBrush(Qt::NoBrush);
}
