#include "report/grafico_rapporto.h"

#include "core/numeri.h"
#include "report/carta.h"
#include "report/scala_asse.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <limits>

namespace grafico_rapporto {
namespace {

const QColor colore_altezza(0x1f, 0x5f, 0xa8);
const QColor colore_contatto(0xc0, 0x39, 0x2b);
const QColor colore_griglia(0xd8, 0xd8, 0xd8);
const QColor colore_testo(0x30, 0x30, 0x30);

// Space around the plot area for the tick labels and the axis captions, mm.
constexpr double spazio_lati = 17, spazio_sopra = 9, spazio_sotto = 11;
constexpr double tacca = 1.2;

struct Serie {
    double Salto::*campo;
    QColor colore;
    QString didascalia;
};

scala_asse::Scala scala_di(const Salti& salti, double Salto::*campo) {
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (int32_t k = 1; k <= salti.numero(); ++k) {
        const double v = salti[k].*campo;
        if (!std::isfinite(v)) continue;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    if (lo > hi) lo = hi = 0;
    return scala_asse::calcola(lo, hi, 5);
}

// Value to a y in mm inside the plot area; kept just outside it at worst, so a
// wild value cannot make a huge coordinate (the plot is clipped to its area).
double y_di(double v, const scala_asse::Scala& s, const QRectF& zona) {
    if (!std::isfinite(v)) v = 0;
    const double t = (v - s.minimo) / (s.massimo - s.minimo);
    return zona.bottom() - std::clamp(t, -0.05, 1.05) * zona.height();
}

void marcatore(Carta& c, QPointF centro, double lato, bool cerchio) {
    const QRectF r(c.punto(centro.x() - lato / 2, centro.y() - lato / 2), QSizeF(c.pixel(lato), c.pixel(lato)));
    if (cerchio) c.pittore().drawEllipse(r);
    else c.pittore().drawRect(r);
}

void asse_verticale(Carta& c, const QRectF& zona, const scala_asse::Scala& s, const Serie& serie, bool sinistra) {
    const double x = sinistra ? zona.left() : zona.right();
    c.linea(x, zona.top(), x, zona.bottom(), serie.colore, 0.3);
    c.usa(Carta::carattere(7));
    for (int i = 0; i < s.tacche(); ++i) {
        const double v = s.minimo + i * s.passo;
        const double y = y_di(v, s, zona);
        if (sinistra) {
            c.linea(x - tacca, y, x, y, serie.colore, 0.3);
            if (i > 0) c.linea(zona.left(), y, zona.right(), y, colore_griglia, 0.15);
            c.pittore().setPen(colore_testo);
            c.testo({x - 12, y - 2, 12 - tacca - 0.6, 4}, Qt::AlignRight | Qt::AlignVCenter,
                    numeri::formato_fisso(v, s.decimali, 1));
        } else {
            c.linea(x, y, x + tacca, y, serie.colore, 0.3);
            c.pittore().setPen(colore_testo);
            c.testo({x + tacca + 0.6, y - 2, 12, 4}, Qt::AlignLeft | Qt::AlignVCenter,
                    numeri::formato_fisso(v, s.decimali, 1));
        }
    }
    // The caption along the axis, read from below (left) or from above (right).
    QPainter& p = c.pittore();
    p.save();
    const double cx = sinistra ? zona.left() - spazio_lati + 2.5 : zona.right() + spazio_lati - 2.5;
    p.translate(c.punto(cx, zona.center().y()));
    p.rotate(sinistra ? -90 : 90);
    c.usa(Carta::carattere(7.5, true));
    p.setPen(serie.colore);
    p.drawText(QRectF(-c.pixel(zona.height() / 2), -c.pixel(2.5), c.pixel(zona.height()), c.pixel(5)),
               Qt::AlignCenter, serie.didascalia);
    p.restore();
}

void asse_orizzontale(Carta& c, const QRectF& zona, const scala_asse::Scala& s) {
    c.linea(zona.left(), zona.bottom(), zona.right(), zona.bottom(), colore_testo, 0.3);
    c.usa(Carta::carattere(7));
    for (int i = 0; i < s.tacche(); ++i) {
        const double v = s.minimo + i * s.passo;
        const double x = zona.left() + (v - s.minimo) / (s.massimo - s.minimo) * zona.width();
        c.linea(x, zona.bottom(), x, zona.bottom() + tacca, colore_testo, 0.3);
        if (i > 0 && i + 1 < s.tacche()) c.linea(x, zona.top(), x, zona.bottom(), colore_griglia, 0.15);
        c.pittore().setPen(colore_testo);
        c.testo({x - 8, zona.bottom() + tacca + 0.3, 16, 3.5}, Qt::AlignHCenter | Qt::AlignTop,
                numeri::formato_fisso(v, s.decimali, 1));
    }
    c.usa(Carta::carattere(7.5, true));
    c.testo({zona.left(), zona.bottom() + 6, zona.width(), 4}, Qt::AlignCenter, QStringLiteral("N° Salto"));
}

void traccia(Carta& c, const QRectF& zona, const Salti& salti, const Serie& serie, const scala_asse::Scala& sy,
             const scala_asse::Scala& sx, bool cerchio) {
    const int32_t n = salti.numero();
    QPolygonF linea;
    linea.reserve(n);
    std::vector<QPointF> punti;
    punti.reserve(static_cast<size_t>(n));
    for (int32_t k = 1; k <= n; ++k) {
        const double x = zona.left() + (k - sx.minimo) / (sx.massimo - sx.minimo) * zona.width();
        const QPointF mm(x, y_di(salti[k].*serie.campo, sy, zona));
        punti.push_back(mm);
        linea << c.punto(mm.x(), mm.y());
    }
    QPainter& p = c.pittore();
    p.save();
    p.setClipRect(c.rettangolo(zona.adjusted(-1.5, -1.5, 1.5, 1.5)));
    p.setPen(QPen(serie.colore, c.pixel(n > marcatori_fino_a ? 0.25 : 0.4), Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.drawPolyline(linea);
    if (n <= marcatori_fino_a) {
        p.setPen(QPen(serie.colore, c.pixel(0.25)));
        p.setBrush(Qt::white);
        for (const QPointF& q : punti) marcatore(c, q, 1.6, cerchio);
        p.setBrush(Qt::NoBrush);
    }
    p.restore();
}

void legenda(Carta& c, const QRectF& zona, const Serie& a, const Serie& b) {
    c.usa(Carta::carattere(7.5));
    double x = zona.right();
    const double y = zona.top() - spazio_sopra / 2;
    for (const Serie* s : {&b, &a}) {
        const double w = c.larghezza(s->didascalia);
        x -= w;
        c.pittore().setPen(colore_testo);
        c.testo({x, y - 2, w + 1, 4}, Qt::AlignLeft | Qt::AlignVCenter, s->didascalia);
        c.linea(x - 7, y, x - 1.5, y, s->colore, 0.5);
        x -= 12;
    }
}

}  // namespace

void disegna(Carta& c, const QRectF& area, const Salti& salti) {
    const QRectF zona = area.adjusted(spazio_lati, spazio_sopra, -spazio_lati, -spazio_sotto);
    const Serie altezza{&Salto::altezza, colore_altezza, QStringLiteral("Altezza ( cm)")};
    const Serie contatto{&Salto::t_contatto, colore_contatto, QStringLiteral("Tempo Cont. (msec)")};
    const scala_asse::Scala sx = scala_asse::calcola(0, std::max(1, salti.numero()), 10, true);
    const scala_asse::Scala sa = scala_di(salti, altezza.campo);
    const scala_asse::Scala sc = scala_di(salti, contatto.campo);

    c.usa(Carta::carattere(8.5, true));
    c.pittore().setPen(colore_testo);
    c.testo({zona.left(), area.top(), 40, spazio_sopra - 2}, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("SALTO"));
    legenda(c, zona, altezza, contatto);
    asse_verticale(c, zona, sa, altezza, true);
    asse_verticale(c, zona, sc, contatto, false);
    asse_orizzontale(c, zona, sx);
    c.linea(zona.left(), zona.top(), zona.right(), zona.top(), colore_griglia, 0.15);
    traccia(c, zona, salti, contatto, sc, sx, false);
    traccia(c, zona, salti, altezza, sa, sx, true);
}

}  // namespace grafico_rapporto
