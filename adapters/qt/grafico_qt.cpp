#include "adapters/qt/grafico_qt.h"

#include "adapters/qt/scala_assi.h"

#include <QChart>
#include <QElapsedTimer>
#include <QGraphicsLineItem>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QStyleOptionGraphicsItem>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {
// The lowest and the highest point of each of `fasce` equal runs, in their order.
QList<QPointF> sfoltisci(const QList<QPointF>& punti, int fasce) {
    QList<QPointF> fuori;
    const qsizetype n = punti.size();
    fuori.reserve(2 * fasce);
    for (int f = 0; f < fasce; ++f) {
        const qsizetype da = n * f / fasce, a = n * (f + 1) / fasce;
        if (da >= a) continue;
        qsizetype i_min = da, i_max = da;
        for (qsizetype i = da + 1; i < a; ++i) {
            if (punti[i].y() < punti[i_min].y()) i_min = i;
            if (punti[i].y() > punti[i_max].y()) i_max = i;
        }
        fuori.append(punti[std::min(i_min, i_max)]);
        if (i_min != i_max) fuori.append(punti[std::max(i_min, i_max)]);
    }
    return fuori;
}

const char* const nomi_cursori[2] = {"Cursore_tempo_volo", "Cursore_tempo_contatto"};

}  // namespace

// The markers of the short plots, above the plot area: the chart clips its series
// to that area, which would cut a marker on its edge in half. Its bounds are the
// plot area with a marker's margin, so markers come and go without moving them,
// and a marker added is all that is painted again.
class SegniPunti : public QGraphicsItem {
public:
    struct Segno {
        int plot;
        QPointF centro;
        QColor colore;
        bool operator==(const Segno& a) const { return plot == a.plot && centro == a.centro && colore == a.colore; }
    };

    explicit SegniPunti(QGraphicsItem* genitore) : QGraphicsItem(genitore) {
        setZValue(5);
        setAcceptedMouseButtons(Qt::NoButton);
        setFlag(ItemUsesExtendedStyleOption);  // paint() is told which part to paint
    }

    static QRectF riquadro(const QPointF& centro) {
        const double r = GraficoQt::raggio_segno + 1;
        return QRectF(centro - QPointF(r, r), QSizeF(2 * r, 2 * r));
    }

    void imposta(QList<Segno> segni, const QRectF& area_grafico) {
        const double r = GraficoQt::raggio_segno + 1;
        const QRectF area = segni.isEmpty() ? QRectF() : area_grafico.adjusted(-r, -r, r, r);
        if (area != area_) {
            // The old area is repainted as well: nothing of a removed marker stays.
            prepareGeometryChange();
            area_ = area;
            segni_ = std::move(segni);
            update();
            return;
        }
        // Markers kept where they were are not painted again.
        qsizetype uguali = 0;
        while (uguali < segni.size() && uguali < segni_.size() && segni[uguali] == segni_[uguali]) ++uguali;
        for (qsizetype i = uguali; i < segni_.size(); ++i) update(riquadro(segni_[i].centro));
        for (qsizetype i = uguali; i < segni.size(); ++i) update(riquadro(segni[i].centro));
        segni_ = std::move(segni);
    }
    const QList<Segno>& segni() const { return segni_; }

    QRectF boundingRect() const override { return area_; }
    void paint(QPainter* pittore, const QStyleOptionGraphicsItem* opzione, QWidget*) override {
        pittore->setRenderHint(QPainter::Antialiasing);
        for (const Segno& s : segni_) {
            if (!opzione->exposedRect.intersects(riquadro(s.centro))) continue;
            pittore->setPen(QPen(Qt::white, 1));
            pittore->setBrush(s.colore);
            pittore->drawEllipse(s.centro, GraficoQt::raggio_segno, GraficoQt::raggio_segno);
        }
    }

private:
    QList<Segno> segni_;
    QRectF area_;
};

GraficoQt::GraficoQt(QWidget* genitore) : QChartView(genitore) {
    auto* grafico = new QChart();
    grafico->legend()->hide();
    grafico->setAnimationOptions(QChart::NoAnimation);
    setChart(grafico);
    setRenderHint(QPainter::Antialiasing);
    // The window that holds the graph decides its size, however small.
    setMinimumSize(0, 0);

    asse_x_ = new QValueAxis(grafico);
    asse_x_->setObjectName(QStringLiteral("XAxis"));
    scala_assi::applica(asse_x_, scala_assi::asse_salti(0));
    grafico->addAxis(asse_x_, Qt::AlignBottom);

    const char* nomi_assi[2] = {"Y_Altezza", "Y_tempo_contatto"};
    const char* nomi_serie[2] = {"Plot-1", "Plot-2"};
    const QColor colori[2] = {QColor(0, 90, 200), QColor(200, 40, 30)};
    const Qt::Alignment lati[2] = {Qt::AlignLeft, Qt::AlignRight};
    for (int i = 0; i < 2; ++i) {
        Traccia& t = tracce_[static_cast<size_t>(i)];
        t.asse = new QValueAxis(grafico);
        t.asse->setObjectName(QString::fromLatin1(nomi_assi[i]));
        scala_assi::applica(t.asse, scala_assi::asse_dati(0, 0));
        // Each value axis in its plot's colour, as there is no legend.
        t.asse->setLinePenColor(colori[i]);
        t.asse->setLabelsColor(colori[i]);
        t.asse->setTitleBrush(colori[i]);
        grafico->addAxis(t.asse, lati[i]);
        t.serie = new QLineSeries(grafico);
        t.coda = new QLineSeries(grafico);
        t.serie->setObjectName(QString::fromLatin1(nomi_serie[i]));
        t.serie->setName(QString::fromLatin1(nomi_serie[i]));
        t.coda->setObjectName(QString::fromLatin1(nomi_serie[i]) + QStringLiteral("-coda"));
        for (QLineSeries* s : {t.serie, t.coda}) {
            s->setPen(QPen(colori[i], 2));
            grafico->addSeries(s);
            s->attachAxis(asse_x_);
            s->attachAxis(t.asse);
        }
    }

    for (int c = 0; c < 2; ++c) {
        auto* linea = new QGraphicsLineItem(grafico);
        linea->setPen(QPen(Qt::darkGreen, 1, Qt::DashLine));
        linea->setToolTip(QString::fromLatin1(nomi_cursori[c]));
        linea->setZValue(10);
        linea->hide();
        linee_cursori_[static_cast<size_t>(c)] = linea;
    }
    segni_ = new SegniPunti(grafico);
    connect(grafico, &QChart::plotAreaChanged, this, [this] {
        aggiorna_cursori();
        aggiorna_segni();
    });
    connect(asse_x_, &QValueAxis::rangeChanged, this, [this] {
        aggiorna_cursori();
        aggiorna_segni();
    });
    for (Traccia& t : tracce_) connect(t.asse, &QValueAxis::rangeChanged, this, [this] { aggiorna_segni(); });

    lotto_.setSingleShot(true);
    lotto_.setInterval(intervallo_lotto_ms);
    connect(&lotto_, &QTimer::timeout, this, [this] { consegna_lotto(); });
}

GraficoQt::Traccia* GraficoQt::traccia(int plot) {
    if (plot < 1 || plot > 2) return nullptr;
    return &tracce_[static_cast<size_t>(plot - 1)];
}

const GraficoQt::Traccia* GraficoQt::traccia(int plot) const {
    if (plot < 1 || plot > 2) return nullptr;
    return &tracce_[static_cast<size_t>(plot - 1)];
}

QLineSeries* GraficoQt::serie(int plot) const {
    const Traccia* t = traccia(plot);
    return t ? t->serie : nullptr;
}

QLineSeries* GraficoQt::coda(int plot) const {
    const Traccia* t = traccia(plot);
    return t ? t->coda : nullptr;
}

QList<QPointF> GraficoQt::disegnati(int plot) const {
    const Traccia* t = traccia(plot);
    if (!t) return {};
    QList<QPointF> punti = t->serie->points();
    const QList<QPointF> coda = t->coda->points();
    // The tail's first point is the body's last one, when there is a body.
    punti.append(punti.isEmpty() ? coda : coda.mid(1));
    return punti;
}

QValueAxis* GraficoQt::asse_y(int plot) const {
    const Traccia* t = traccia(plot);
    return t ? t->asse : nullptr;
}

void GraficoQt::imposta_didascalia(const QString& testo) { chart()->setTitle(testo); }
QString GraficoQt::didascalia() const { return chart()->title(); }
void GraficoQt::imposta_didascalia_x(const QString& testo) { asse_x_->setTitleText(testo); }
QString GraficoQt::didascalia_x() const { return asse_x_->titleText(); }

void GraficoQt::imposta_didascalia_y(int plot, const QString& testo) {
    if (Traccia* t = traccia(plot)) t->asse->setTitleText(testo);
}

QString GraficoQt::didascalia_y(int plot) const {
    const Traccia* t = traccia(plot);
    return t ? t->asse->titleText() : QString();
}

void GraficoQt::aggiungi_punto(int plot, double y) {
    Traccia* t = traccia(plot);
    if (!t) return;
    if (t->punti.isEmpty()) {
        t->dati_min = t->dati_max = y;
    } else {
        t->dati_min = std::min(t->dati_min, y);
        t->dati_max = std::max(t->dati_max, y);
    }
    t->punti.append(QPointF(static_cast<double>(t->punti.size() + 1), y));
    if (!lotto_.isActive()) {
        const qint64 attesa_ms = std::max<qint64>(intervallo_lotto_ms, 4 * costo_lotto_ns_ / 1000000);
        lotto_.start(static_cast<int>(std::min<qint64>(attesa_ms, 2000)));
    }
}

void GraficoQt::elimina_punto(int indice) {
    bool eliminato = false;
    for (Traccia& t : tracce_) {
        if (indice < 0 || indice >= t.punti.size()) continue;
        t.punti.removeAt(indice);
        for (qsizetype i = indice; i < t.punti.size(); ++i) t.punti[i].setX(static_cast<double>(i + 1));
        t.dati_min = t.dati_max = 0;
        for (qsizetype i = 0; i < t.punti.size(); ++i) {
            const double y = t.punti[i].y();
            t.dati_min = i == 0 ? y : std::min(t.dati_min, y);
            t.dati_max = i == 0 ? y : std::max(t.dati_max, y);
        }
        t.consegnati = -1;  // the chart's copy is stale as a whole
        eliminato = true;
    }
    if (eliminato) ridisegna();
}

int GraficoQt::numero_punti(int plot) const {
    const Traccia* t = traccia(plot);
    return t ? static_cast<int>(t->punti.size()) : 0;
}

double GraficoQt::punto(int plot, int indice) const {
    const Traccia* t = traccia(plot);
    if (!t || indice < 0 || indice >= t->punti.size()) return 0;
    return t->punti[indice].y();
}

void GraficoQt::cancella_dati() {
    lotto_.stop();
    for (Traccia& t : tracce_) {
        t.punti.clear();
        t.consegnati = t.nel_corpo = 0;
        t.dati_min = t.dati_max = 0;
        t.serie->clear();
        t.coda->clear();
    }
    aggiorna_assi();
}

void GraficoQt::ridisegna() {
    consegna_lotto(true);
    viewport()->update();
}

void GraficoQt::consegna_lotto(bool tutto) {
    lotto_.stop();
    QElapsedTimer orologio;
    orologio.start();
    for (Traccia& t : tracce_) {
        const qsizetype n = t.punti.size();
        if (t.consegnati == n && !tutto) continue;
        const bool corta = n <= punti_con_segno;
        if (t.serie->pen().width() != (corta ? 2 : 1)) {
            for (QLineSeries* s : {t.serie, t.coda}) {
                QPen penna = s->pen();
                penna.setWidth(corta ? 2 : 1);
                s->setPen(penna);
            }
        }
        // One replace is one layout of a series, however many points arrived.
        if (tutto || t.consegnati < 0 || n - t.nel_corpo > punti_coda) {
            // The second plot keeps half a tail out of its body, so that the two
            // bodies are never rebuilt in the same batch.
            const qsizetype corpo = &t == &tracce_[1] ? std::max<qsizetype>(0, n - punti_coda / 2) : n;
            // Runs no narrower than a pixel of the plot: the same line, fewer points.
            const int f = std::clamp(static_cast<int>(chart()->plotArea().width()), 100, fasce);
            t.serie->replace(corpo <= punti_interi ? t.punti.first(corpo) : sfoltisci(t.punti.first(corpo), f));
            t.nel_corpo = corpo;
        }
        if (t.nel_corpo < n) {
            QList<QPointF> coda;
            coda.reserve(n - t.nel_corpo + 1);
            if (t.nel_corpo > 0) coda.append(t.serie->at(t.serie->count() - 1));
            coda.append(t.punti.mid(t.nel_corpo));
            t.coda->replace(coda);
        } else if (t.coda->count() > 0) {
            t.coda->clear();
        }
        t.consegnati = n;
    }
    aggiorna_assi();
    aggiorna_segni();
    costo_lotto_ns_ = orologio.nsecsElapsed();
}

void GraficoQt::paintEvent(QPaintEvent* evento) {
    QElapsedTimer orologio;
    orologio.start();
    QChartView::paintEvent(evento);
    // The paint that follows a batch is part of its cost.
    costo_lotto_ns_ += orologio.nsecsElapsed();
}

void GraficoQt::aggiorna_assi() {
    scala_assi::applica(asse_x_, scala_assi::asse_salti(std::max(tracce_[0].consegnati, tracce_[1].consegnati)));
    for (Traccia& t : tracce_) applica_limiti(t);
}

void GraficoQt::applica_limiti(Traccia& t) {
    if (t.limiti_fissi) {
        scala_assi::applica(t.asse, scala_assi::asse_fisso(t.min, t.max));
    } else {
        // An empty plot spans 0..10.
        scala_assi::applica(t.asse, t.consegnati == 0 ? scala_assi::asse_dati(0, 10) : scala_assi::asse_dati(t.dati_min, t.dati_max));
    }
}

double GraficoQt::minimo(int plot) const {
    const Traccia* t = traccia(plot);
    if (!t) return 0;
    if (t->limiti_fissi) return t->min;
    if (lotto_.isActive()) const_cast<GraficoQt*>(this)->consegna_lotto();
    return t->asse->min();
}

double GraficoQt::massimo(int plot) const {
    const Traccia* t = traccia(plot);
    if (!t) return 0;
    if (t->limiti_fissi) return t->max;
    if (lotto_.isActive()) const_cast<GraficoQt*>(this)->consegna_lotto();
    return t->asse->max();
}

GraficoQt::Traccia* GraficoQt::fissa_limiti(int plot) {
    Traccia* t = traccia(plot);
    if (t && !t->limiti_fissi) {
        // The limit not written stays where the axis shows it now.
        t->min = minimo(plot);
        t->max = massimo(plot);
        t->limiti_fissi = true;
    }
    return t;
}

void GraficoQt::imposta_minimo(int plot, double v) {
    if (Traccia* t = fissa_limiti(plot)) {
        t->min = v;
        applica_limiti(*t);
    }
}

void GraficoQt::imposta_massimo(int plot, double v) {
    if (Traccia* t = fissa_limiti(plot)) {
        t->max = v;
        applica_limiti(*t);
    }
}

void GraficoQt::imposta_cursore(int c, double x) {
    if (c < 0 || c > 1) return;
    cursori_[static_cast<size_t>(c)] = x;
    linee_cursori_[static_cast<size_t>(c)]->show();
    aggiorna_cursori();
}

double GraficoQt::cursore(int c) const {
    if (c < 0 || c > 1) return 0;
    return cursori_[static_cast<size_t>(c)];
}

void GraficoQt::aggiorna_cursori() {
    const QRectF area = chart()->plotArea();
    for (size_t c = 0; c < 2; ++c) {
        double x = chart()->mapToPosition(QPointF(cursori_[c], 0), tracce_[0].serie).x();
        linee_cursori_[c]->setLine(x, area.top(), x, area.bottom());
    }
}

void GraficoQt::aggiorna_segni() {
    QList<SegniPunti::Segno> segni;
    for (int plot = 1; plot <= 2; ++plot) {
        const Traccia& t = *traccia(plot);
        if (t.consegnati <= 0 || t.consegnati > punti_con_segno) continue;
        const QColor colore = t.serie->pen().color();
        // A point outside limits the operator fixed is not drawn, as its line is not.
        const double margine = 1e-9 * std::max(1.0, t.asse->max() - t.asse->min());
        for (qsizetype i = 0; i < t.consegnati; ++i) {
            const QPointF& p = t.punti[i];
            if (p.y() < t.asse->min() - margine || p.y() > t.asse->max() + margine || p.x() > asse_x_->max()) continue;
            segni.append({plot, chart()->mapToPosition(p, t.serie), colore});
        }
    }
    segni_->imposta(std::move(segni), chart()->plotArea());
}

QList<QPointF> GraficoQt::segni(int plot) const {
    QList<QPointF> centri;
    for (const SegniPunti::Segno& s : segni_->segni())
        if (s.plot == plot) centri.append(s.centro);
    return centri;
}

QGraphicsItem* GraficoQt::livello_segni() const { return segni_; }

void GraficoQt::mouseReleaseEvent(QMouseEvent* evento) {
    QChartView::mouseReleaseEvent(evento);
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()) && al_click_)
        al_click_();
}
