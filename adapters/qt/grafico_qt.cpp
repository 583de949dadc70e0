#include "adapters/qt/grafico_qt.h"

#include <QChart>
#include <QElapsedTimer>
#include <QGraphicsLineItem>
#include <QLineSeries>
#include <QMouseEvent>
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

constexpr double x_minimo_mostrato = 10;   // the X axis spans at least 0..10
constexpr double y_vuoto_max = 10;         // a value axis with no data spans 0..10
const char* const nomi_cursori[2] = {"Cursore_tempo_volo", "Cursore_tempo_contatto"};
}  // namespace

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
    asse_x_->setLabelFormat(QStringLiteral("%.0f"));
    asse_x_->setRange(0, x_minimo_mostrato);
    grafico->addAxis(asse_x_, Qt::AlignBottom);

    const char* nomi_assi[2] = {"Y_Altezza", "Y_tempo_contatto"};
    const char* nomi_serie[2] = {"Plot-1", "Plot-2"};
    const QColor colori[2] = {QColor(0, 90, 200), QColor(200, 40, 30)};
    const Qt::Alignment lati[2] = {Qt::AlignLeft, Qt::AlignRight};
    for (int i = 0; i < 2; ++i) {
        Traccia& t = tracce_[static_cast<size_t>(i)];
        t.asse = new QValueAxis(grafico);
        t.asse->setObjectName(QString::fromLatin1(nomi_assi[i]));
        t.asse->setLabelFormat(QStringLiteral("%.0f"));
        t.asse->setRange(0, y_vuoto_max);
        // Each value axis in its plot's colour, as there is no legend.
        t.asse->setLinePenColor(colori[i]);
        t.asse->setLabelsColor(colori[i]);
        t.asse->setTitleBrush(colori[i]);
        grafico->addAxis(t.asse, lati[i]);
        t.serie = new QLineSeries(grafico);
        t.serie->setObjectName(QString::fromLatin1(nomi_serie[i]));
        t.serie->setName(QString::fromLatin1(nomi_serie[i]));
        t.serie->setPen(QPen(colori[i], 2));
        t.serie->setPointsVisible(true);
        t.serie->setMarkerSize(6);
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
    connect(grafico, &QChart::plotAreaChanged, this, [this] { aggiorna_cursori(); });
    connect(asse_x_, &QValueAxis::rangeChanged, this, [this] { aggiorna_cursori(); });

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
        t.serie->setPointsVisible(corta);
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
    qsizetype n = std::max(tracce_[0].consegnati, tracce_[1].consegnati);
    double x_max = std::max(x_minimo_mostrato, std::ceil(static_cast<double>(n) / 10.0) * 10.0);
    if (asse_x_->max() != x_max || asse_x_->min() != 0) asse_x_->setRange(0, x_max);
    for (Traccia& t : tracce_) applica_limiti(t);
}

void GraficoQt::applica_limiti(Traccia& t) {
    double lo, hi;
    if (t.limiti_fissi) {
        lo = std::min(t.min, t.max);
        hi = std::max(t.min, t.max);
        if (hi == lo) hi = lo + 1;
        t.asse->setRange(lo, hi);
        return;
    }
    if (t.consegnati == 0) {
        lo = 0;
        hi = y_vuoto_max;
    } else {
        lo = std::min(0.0, t.dati_min);
        hi = std::max(t.dati_max, lo + 1);
    }
    if (t.asse->min() == lo && t.asse->max() == hi) return;
    t.asse->setRange(lo, hi);
    t.asse->applyNiceNumbers();
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

void GraficoQt::mouseReleaseEvent(QMouseEvent* evento) {
    QChartView::mouseReleaseEvent(evento);
    if (evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint()) && al_click_)
        al_click_();
}
