#pragma once

#include <QString>

#include <functional>

class QWidget;

// The jump graph: one X axis (the jump number), two value axes (plot 1 on the
// left, plot 2 on the right) and two plots whose points are appended one step
// further along X each time. Plots and their value axes are numbered 1 and 2.
//
// A value axis follows its data until one of its limits is written; from then
// on it keeps the limits it was given (a minimum above the maximum is kept as
// entered; the drawn axis then spans the two values in increasing order).
class Grafico {
public:
    virtual ~Grafico() = default;

    virtual void imposta_didascalia(const QString& testo) = 0;
    virtual QString didascalia() const = 0;
    virtual void imposta_didascalia_x(const QString& testo) = 0;
    virtual QString didascalia_x() const = 0;
    virtual void imposta_didascalia_y(int plot, const QString& testo) = 0;
    virtual QString didascalia_y(int plot) const = 0;

    // Appends y to plot `plot` at the next X step (the first point at X = 1).
    virtual void aggiungi_punto(int plot, double y) = 0;
    // Removes point `indice` (0-based) of both plots; the later points move one step back.
    virtual void elimina_punto(int indice) = 0;
    virtual int numero_punti(int plot) const = 0;
    virtual double punto(int plot, int indice) const = 0;  // 0-based; 0 when out of range
    // Removes every point of both plots; the axis limits and captions stay.
    virtual void cancella_dati() = 0;
    // Brings the drawing up to date at once (appends are otherwise drawn in batches).
    virtual void ridisegna() = 0;

    // Limits of the value axis of plot `plot` (1 or 2).
    virtual double minimo(int plot) const = 0;
    virtual double massimo(int plot) const = 0;
    virtual void imposta_minimo(int plot, double v) = 0;
    virtual void imposta_massimo(int plot, double v) = 0;

    // Two vertical cursors (0 and 1), at an X position; hidden until first placed.
    virtual void imposta_cursore(int cursore, double x) = 0;
    virtual double cursore(int cursore) const = 0;

    // Called on a mouse click on the graph.
    virtual void imposta_al_click(std::function<void()> azione) = 0;

    // The control itself, to place it in a window.
    virtual QWidget* controllo() = 0;
};
