#include "adapters/qt/grafico_serie_qt.h"

#include "adapters/qt/scala_assi.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr qint64 giorno_ms = 24LL * 3600 * 1000;
}  // namespace

GraficoSerieQt::GraficoSerieQt(QWidget* genitore) : QChartView(genitore) {
    auto* grafico = new QChart();
    grafico->setAnimationOptions(QChart::NoAnimation);
    grafico->legend()->setAlignment(Qt::AlignBottom);
    grafico->legend()->show();
    setChart(grafico);
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(0, 0);
    auto* y = new QValueAxis(grafico);
    y->setObjectName(QStringLiteral("asse_y"));
    grafico->addAxis(y, Qt::AlignLeft);
    asse_y_ = y;
    ricrea_asse_x();
    adatta_assi();
}

void GraficoSerieQt::imposta_titolo(const QString& testo) { chart()->setTitle(testo); }

QString GraficoSerieQt::titolo() const { return chart()->title(); }

void GraficoSerieQt::imposta_assi(const QString& didascalia_x, const QString& didascalia_y, AsseX tipo) {
    didascalia_x_ = didascalia_x;
    didascalia_y_ = didascalia_y;
    asse_y_->setTitleText(didascalia_y);
    if (tipo != tipo_x_) {
        // The series hang from the axis: they go first and are made again on the new one.
        chart()->removeAllSeries();
        tipo_x_ = tipo;
        ricrea_asse_x();
        mostra(std::vector<SerieGrafico>(serie_));
        return;
    }
    asse_x_->setTitleText(didascalia_x);
}

void GraficoSerieQt::ricrea_asse_x() {
    if (asse_x_) {
        chart()->removeAxis(asse_x_);
        delete asse_x_;
    }
    if (tipo_x_ == AsseX::Date) asse_x_ = new QDateTimeAxis(chart());
    else asse_x_ = new QValueAxis(chart());
    asse_x_->setObjectName(QStringLiteral("asse_x"));
    asse_x_->setTitleText(didascalia_x_);
    chart()->addAxis(asse_x_, Qt::AlignBottom);
}

void GraficoSerieQt::mostra(const std::vector<SerieGrafico>& serie) {
    chart()->removeAllSeries();
    serie_ = serie;
    for (const SerieGrafico& s : serie_) {
        auto* linea = new QLineSeries(chart());
        linea->setName(s.nome);
        linea->setPen(QPen(s.colore, 2));
        linea->setColor(s.colore);
        linea->setPointsVisible(true);
        linea->setMarkerSize(7);
        linea->append(s.punti);
        chart()->addSeries(linea);
        linea->attachAxis(asse_x_);
        linea->attachAxis(asse_y_);
    }
    adatta_assi();
}

QList<QLineSeries*> GraficoSerieQt::serie_disegnate() const {
    QList<QLineSeries*> l;
    for (QAbstractSeries* s : chart()->series())
        if (auto* linea = qobject_cast<QLineSeries*>(s)) l << linea;
    return l;
}

void GraficoSerieQt::adatta_assi() {
    double x_min = std::numeric_limits<double>::infinity(), x_max = -x_min;
    double y_min = std::numeric_limits<double>::infinity(), y_max = -y_min;
    for (const SerieGrafico& s : serie_) {
        for (const QPointF& p : s.punti) {
            x_min = std::min(x_min, p.x());
            x_max = std::max(x_max, p.x());
            y_min = std::min(y_min, p.y());
            y_max = std::max(y_max, p.y());
        }
    }
    const bool vuoto = x_min > x_max;
    scala_assi::applica(static_cast<QValueAxis*>(asse_y_),
                        vuoto ? scala_assi::asse_dati(0, 10) : scala_assi::asse_attorno(y_min, y_max));
    if (auto* date = qobject_cast<QDateTimeAxis*>(asse_x_)) {
        if (vuoto) x_min = x_max = static_cast<double>(QDateTime::currentMSecsSinceEpoch());
        // A margin either side, so the first and last tests are not drawn on the frame.
        const double margine = std::max((x_max - x_min) * 0.04, static_cast<double>(giorno_ms));
        date->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(x_min - margine)),
                       QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(x_max + margine)));
        date->setFormat(x_max - x_min < 3.0 * giorno_ms ? QStringLiteral("dd/MM HH:mm") : QStringLiteral("dd/MM/yy"));
        date->setTickCount(6);
        return;
    }
    scala_assi::applica(static_cast<QValueAxis*>(asse_x_),
                        scala_assi::asse_salti(vuoto ? 0 : static_cast<qsizetype>(std::ceil(x_max))));
}
