#pragma once

// A graph of several lines that keeps what it is given and draws nothing.

#include "platform/grafico_serie.h"

#include <QWidget>

class GraficoSerieFinto : public QWidget, public GraficoSerie {
public:
    void imposta_titolo(const QString& t) override { titolo_ = t; }
    QString titolo() const override { return titolo_; }
    void imposta_assi(const QString& x, const QString& y, AsseX tipo) override {
        didascalia_x = x;
        didascalia_y = y;
        tipo_x = tipo;
    }
    void mostra(const std::vector<SerieGrafico>& serie) override {
        serie_ = serie;
        ++disegni;
    }
    const std::vector<SerieGrafico>& serie() const override { return serie_; }
    QWidget* controllo() override { return this; }

    QString didascalia_x, didascalia_y;
    AsseX tipo_x = AsseX::Numeri;
    int disegni = 0;

private:
    QString titolo_;
    std::vector<SerieGrafico> serie_;
};
