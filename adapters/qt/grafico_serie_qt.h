#pragma once

#include "platform/grafico_serie.h"

#include <QChartView>

class QAbstractAxis;
class QLineSeries;

// A graph of several lines on Qt Charts: one line series per line, in its own
// colour and with its points marked, a legend under the plot, a value axis on the
// left around the data (not from 0: a few centimetres between tests must show)
// whose ticks fall on round values, and an X axis of jump numbers or of dates.
class GraficoSerieQt : public QChartView, public GraficoSerie {
    Q_OBJECT

public:
    explicit GraficoSerieQt(QWidget* genitore = nullptr);

    void imposta_titolo(const QString& testo) override;
    QString titolo() const override;
    void imposta_assi(const QString& didascalia_x, const QString& didascalia_y, AsseX tipo) override;
    void mostra(const std::vector<SerieGrafico>& serie) override;
    const std::vector<SerieGrafico>& serie() const override { return serie_; }
    QWidget* controllo() override { return this; }

    // The chart's own objects, for inspection.
    QList<QLineSeries*> serie_disegnate() const;
    QAbstractAxis* asse_x() const { return asse_x_; }
    QAbstractAxis* asse_y() const { return asse_y_; }

private:
    void ricrea_asse_x();
    void adatta_assi();

    std::vector<SerieGrafico> serie_;
    AsseX tipo_x_ = AsseX::Numeri;
    QString didascalia_x_, didascalia_y_;
    QAbstractAxis* asse_x_ = nullptr;
    QAbstractAxis* asse_y_ = nullptr;
};
