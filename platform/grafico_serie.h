#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>

#include <vector>

class QWidget;

// One line of a graph of several: its name in the legend, its colour, its points.
struct SerieGrafico {
    QString nome;
    QColor colore;
    QList<QPointF> punti;

    bool operator==(const SerieGrafico&) const = default;
};

// A graph of several named lines with a legend, drawn whole each time it is given
// its lines. X is a plain number, or a date and time given as milliseconds since
// 1970-01-01 UTC and shown as a date.
class GraficoSerie {
public:
    enum class AsseX { Numeri, Date };

    virtual ~GraficoSerie() = default;

    virtual void imposta_titolo(const QString& testo) = 0;
    virtual QString titolo() const = 0;
    virtual void imposta_assi(const QString& didascalia_x, const QString& didascalia_y, AsseX tipo) = 0;
    // Replaces every line; an empty list leaves the graph empty.
    virtual void mostra(const std::vector<SerieGrafico>& serie) = 0;
    // The lines shown, as they were given.
    virtual const std::vector<SerieGrafico>& serie() const = 0;

    // The control itself, to place it in a window.
    virtual QWidget* controllo() = 0;
};
