#include "adapters/qt/grafico_qt.h"

#include "adapters/qt/scala_assi.h"

#include <QChart>
#include <QElapsedTimer>
#include <QGraphicsLineItem>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
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
// to that area, which would cut a marker on its edge in half.
class SegniPunti : public QGraphicsItem {
public:
    struct Segno {
        int plot;
        QPointF centro;
        QColor colore;
    };

    explicit SegniPunti(QGraphicsItem* genitore) : QGraphicsItem(genitore) {
        setZValue(5);
        setAcceptedMouseButtons(Qt::NoButton);
    }

    void imposta(QList<Segno> segni) {
        // The old area is repainted as well: nothing of a removed marker stays.
        prepareGeometryChange();
        segni_ = std::move(segni);
        area_ = QRectF();
        const double r = GraficoQt::raggio_segno + 1;
        for (const Segno& s : segni_) area_ |= QRectF(s.centro - QPointF(r, r), QSizeF(2 * r, 2 * r));
        update();
    }
    const QList<Segno>& segni() const { return segni_; }

    QRectF boundingRect() const override { return area_; }
    void paint(QPainter* pittore, const QStyleOptionGraphicsItem*, QWidget*) override {
        pittore->setRenderHint(QPainter::Antialiasing);
        for (const Segno& s : segni_) {
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
        t.serie->setObjectName(QString::fromLatin1(nomi_serie[i]));
        t.serie->setName(QString::fromLatin1(nomi_serie[i]));
        t.serie->setPen(QPen(colori[i], 2));
        grafico->addSeries(t.serie);
        t.serie->attachAxis(asse_x_);
        t.serie->attachAxis(t.asse);
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
        t.consegnati = 0;
        t.dati_min = t.dati_max = 0;
        t.serie->clear();
    }
    aggiorna_assi();
}

void GraficoQt::ridisegna() {
    consegna_lotto();
    viewport()->update();
}

void GraficoQt::consegna_lotto() {
    lotto_.stop();
    QElapsedTimer orologio;
    orologio.start();
    for (Traccia& t : tracce_) {
        if (t.consegnati == t.punti.size()) continue;
        const bool corta = t.punti.size() <= punti_con_segno;
        if (t.serie->pen().width() != (corta ? 2 : 1)) {
            QPen penna = t.serie->pen();
            penna.setWidth(corta ? 2 : 1);
            t.serie->setPen(penna);
        }
        // One replace is one layout of the plot, however many points arrived.
        t.serie->replace(t.punti.size() <= punti_interi ? t.punti : sfoltisci(t.punti, fasce));
        t.consegnati = t.punti.size();
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

void GraficoQt::imposta_minimo(int plot, double v) {
    Traccia* t = traccia(plot);
    if (!t) return;
    if (!t->limiti_fissi) {
        t->max = massimo(plot);
        t->limiti_fissi = true;
    }
    t->min = v;
    applica_limiti(*t);
}

void GraficoQt::imposta_massimo(int plot, double v) {
    Traccia* t = traccia(plot);
    if (!t) return;
    if (!t->limiti_fissi) {
        t->min = minimo(plot);
        t->limiti_fissi = true;
    }
    t->max = v;
    applica_limiti(*t);
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
        for (const QPointF& p : t.serie->points()) {
            if (p.y() < t.asse->min() - margine || p.y() > t.asse->max() + margine || p.x() > asse_x_->max()) continue;
            segni.append({plot, chart()->mapToPosition(p, t.serie), colore});
        }
    }
    segni_->imposta(std::move(segni));
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
