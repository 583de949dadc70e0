#pragma once

#include "platform/grafico.h"

#include <QChartView>
#include <QList>
#include <QPointF>
#include <QTimer>

#include <array>

class QLineSeries;
class QValueAxis;
class QGraphicsItem;
class QGraphicsLineItem;
class SegniPunti;

// The jump graph on Qt Charts. Appended points are collected and handed to the
// chart in one batch, `intervallo_lotto_ms` after the first of them or later:
// the wait grows with what the last batch cost to lay out and paint, so the graph
// never takes more than about a fifth of the interface's time however many
// points it holds, and appending stays cheap. `ridisegna` hands them over at once.
// Each plot is drawn by two line series of one colour: the body, rebuilt whole
// now and then, and a tail of at most `punti_coda` points that carries the line on
// from the body's last point. A batch rebuilds the tail alone, so handing a point
// to the chart costs the same at the 20,000th point as at the 10th, and only the
// tail's strip of the plot is painted again; a tail that is full joins the body
// (the second plot's body stops half a tail short, so that the two bodies are
// rebuilt in different batches).
// Points carry a marker while a plot is short enough for markers to be read; a
// body longer than `punti_interi` is drawn from the lowest and highest point of
// each of equal runs of points, as many runs as the plot is pixels wide (at most
// `fasce`), which on screen is the same line.
// The markers are drawn above the plot area, not inside it, so that a point on its
// edge (the last jump, the axis maximum) shows its whole marker. Axis ticks fall on
// round values (whole jump numbers on X), each label under its own tick.
class GraficoQt : public QChartView, public Grafico {
    Q_OBJECT

public:
    static constexpr int intervallo_lotto_ms = 50;
    static constexpr int punti_con_segno = 100;  // markers up to this many points
    static constexpr int punti_interi = 2000;    // drawn point by point up to this many
    static constexpr int fasce = 1000;
    static constexpr int punti_coda = 64;

    explicit GraficoQt(QWidget* genitore = nullptr);

    void imposta_didascalia(const QString& testo) override;
    QString didascalia() const override;
    void imposta_didascalia_x(const QString& testo) override;
    QString didascalia_x() const override;
    void imposta_didascalia_y(int plot, const QString& testo) override;
    QString didascalia_y(int plot) const override;

    void aggiungi_punto(int plot, double y) override;
    void elimina_punto(int indice) override;
    int numero_punti(int plot) const override;
    double punto(int plot, int indice) const override;
    void cancella_dati() override;
    void ridisegna() override;

    double minimo(int plot) const override;
    double massimo(int plot) const override;
    void imposta_minimo(int plot, double v) override;
    void imposta_massimo(int plot, double v) override;

    void imposta_cursore(int cursore, double x) override;
    double cursore(int cursore) const override;

    void imposta_al_click(std::function<void()> azione) override { al_click_ = std::move(azione); }
    QWidget* controllo() override { return this; }

    // The chart's own objects, for inspection.
    QLineSeries* serie(int plot) const;  // the body
    QLineSeries* coda(int plot) const;
    // The points the chart draws for plot `plot`: the body's, then the tail's.
    QList<QPointF> disegnati(int plot) const;
    QValueAxis* asse_y(int plot) const;
    QValueAxis* asse_x() const { return asse_x_; }
    bool lotto_in_attesa() const { return lotto_.isActive(); }
    // The markers drawn for plot `plot`: their centres, in the chart's coordinates.
    QList<QPointF> segni(int plot) const;
    static constexpr double raggio_segno = 4.5;
    QGraphicsItem* livello_segni() const;

protected:
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void paintEvent(QPaintEvent* evento) override;

private:
    struct Traccia {
        QLineSeries* serie = nullptr;  // the body: points 1..nel_corpo
        QLineSeries* coda = nullptr;   // the tail: from the body's last drawn point on
        QValueAxis* asse = nullptr;
        QList<QPointF> punti;      // every point, also those not yet handed to the chart
        qsizetype consegnati = 0;  // how many the chart holds (-1: its copy is stale as a whole)
        qsizetype nel_corpo = 0;   // how many of them the body holds
        bool limiti_fissi = false;
        double min = 0, max = 10;  // the limits as written, when fixed
        double dati_min = 0, dati_max = 0;
    };

    Traccia* traccia(int plot);
    const Traccia* traccia(int plot) const;
    // Fixes the plot's limits where its axis shows them now, before one is written.
    Traccia* fissa_limiti(int plot);
    // Hands the new points to the chart: to the tail, or with `tutto` (or a full
    // tail) everything to the body.
    void consegna_lotto(bool tutto = false);
    void aggiorna_assi();
    void applica_limiti(Traccia& t);
    void aggiorna_cursori();
    void aggiorna_segni();

    std::array<Traccia, 2> tracce_;
    QValueAxis* asse_x_ = nullptr;
    QTimer lotto_;
    qint64 costo_lotto_ns_ = 0;  // laying out and painting the last batch
    std::array<QGraphicsLineItem*, 2> linee_cursori_{};
    SegniPunti* segni_ = nullptr;
    std::array<double, 2> cursori_{};
    std::function<void()> al_click_;
};
