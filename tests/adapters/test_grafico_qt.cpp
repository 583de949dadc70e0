#include "adapters/qt/grafico_qt.h"

#include <QChart>
#include <QGraphicsItem>
#include <QImage>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

#include <gtest/gtest.h>

TEST(GraficoQt, PuntiAccodatiArrivanoAlGraficoInUnLotto) {
    GraficoQt g;
    g.aggiungi_punto(1, 30.5);
    g.aggiungi_punto(1, 28);
    g.aggiungi_punto(2, 250);
    g.aggiungi_punto(3, 1);  // no such plot
    EXPECT_EQ(g.numero_punti(1), 2);
    EXPECT_EQ(g.numero_punti(2), 1);
    EXPECT_EQ(g.numero_punti(3), 0);
    EXPECT_EQ(g.punto(1, 1), 28);
    EXPECT_EQ(g.punto(1, 2), 0);
    EXPECT_TRUE(g.lotto_in_attesa());
    EXPECT_EQ(g.disegnati(1).size(), 0);

    // the batch goes by itself after a short while
    EXPECT_TRUE(QTest::qWaitFor([&] { return g.disegnati(1).size() == 2; }, 2000));
    EXPECT_EQ(g.disegnati(2).size(), 1);
    EXPECT_EQ(g.disegnati(1).at(0), QPointF(1, 30.5));  // one step along X per point, from 1
    EXPECT_EQ(g.disegnati(1).at(1), QPointF(2, 28));

    g.aggiungi_punto(2, 300);
    g.ridisegna();  // at once
    EXPECT_FALSE(g.lotto_in_attesa());
    EXPECT_EQ(g.disegnati(2).at(1), QPointF(2, 300));
}

TEST(GraficoQt, GliAssiSeguonoIDatiFinoAQuandoSiFissaUnLimite) {
    GraficoQt g;
    for (double y : {31.0, 45.5, 22.0}) g.aggiungi_punto(1, y);
    for (int i = 0; i < 25; ++i) g.aggiungi_punto(2, 180 + i);
    g.ridisegna();
    EXPECT_LE(g.minimo(1), 0);
    EXPECT_GE(g.massimo(1), 45.5);
    EXPECT_LT(g.massimo(1), 100);
    EXPECT_GE(g.massimo(2), 204);
    EXPECT_GE(g.asse_x()->max(), 25);

    g.imposta_massimo(1, 60);
    EXPECT_EQ(g.massimo(1), 60);
    EXPECT_EQ(g.asse_y(1)->max(), 60);
    const double min_prima = g.minimo(1);
    g.aggiungi_punto(1, 90);
    g.ridisegna();
    EXPECT_EQ(g.massimo(1), 60);  // fixed: no longer follows the data
    EXPECT_EQ(g.minimo(1), min_prima);

    // a minimum above the maximum is kept as entered; the drawn axis spans both
    g.imposta_minimo(1, 80);
    EXPECT_EQ(g.minimo(1), 80);
    EXPECT_EQ(g.massimo(1), 60);
    EXPECT_EQ(g.asse_y(1)->min(), 60);
    EXPECT_EQ(g.asse_y(1)->max(), 80);
    // equal limits still draw an axis
    g.imposta_massimo(2, 0);
    g.imposta_minimo(2, 0);
    EXPECT_LT(g.asse_y(2)->min(), g.asse_y(2)->max());
    EXPECT_EQ(g.massimo(2), 0);
}

TEST(GraficoQt, CancellaDatiTieneLimitiEDidascalie) {
    GraficoQt g;
    g.imposta_didascalia("SALTO");
    g.imposta_didascalia_y(2, "Tempo Cont. (msec)");
    g.imposta_minimo(2, 100);
    g.aggiungi_punto(1, 30);
    g.aggiungi_punto(2, 250);
    g.ridisegna();
    g.aggiungi_punto(1, 31);  // still waiting in the batch
    g.cancella_dati();
    EXPECT_EQ(g.numero_punti(1), 0);
    EXPECT_EQ(g.numero_punti(2), 0);
    EXPECT_EQ(g.disegnati(1).size(), 0);
    EXPECT_FALSE(g.lotto_in_attesa());
    EXPECT_EQ(g.minimo(2), 100);
    EXPECT_EQ(g.didascalia(), "SALTO");
    EXPECT_EQ(g.didascalia_y(2), "Tempo Cont. (msec)");
    g.aggiungi_punto(1, 40);
    g.ridisegna();
    EXPECT_EQ(g.disegnati(1).at(0), QPointF(1, 40));  // numbering starts again
}

TEST(GraficoQt, ClicECursori) {
    GraficoQt g;
    g.resize(400, 300);
    g.show();
    int clic = 0;
    g.imposta_al_click([&] { ++clic; });
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_EQ(clic, 1);
    QTest::mouseClick(g.viewport(), Qt::RightButton, {}, QPoint(200, 150));
    EXPECT_EQ(clic, 1);

    EXPECT_EQ(g.cursore(0), 0);
    g.imposta_cursore(1, 4);
    EXPECT_EQ(g.cursore(1), 4);
    EXPECT_EQ(g.cursore(0), 0);
    g.imposta_cursore(2, 9);  // only two cursors
    EXPECT_EQ(g.cursore(2), 0);
}

TEST(GraficoQt, UnPlotLungoEDisegnatoDaMinimiEMassimiNelLoroOrdine) {
    GraficoQt g;
    const int n = 3 * GraficoQt::punti_interi;
    for (int i = 0; i < n; ++i) g.aggiungi_punto(1, (i * 37) % 101);
    g.aggiungi_punto(1, -5);  // one low point at the end, and one high in the middle
    g.ridisegna();
    ASSERT_EQ(g.numero_punti(1), n + 1);
    EXPECT_EQ(g.punto(1, n), -5);  // every point is kept
    const QList<QPointF> disegnati = g.disegnati(1);
    EXPECT_LE(disegnati.size(), 2 * GraficoQt::fasce);
    double min = 1e9, max = -1e9;
    for (int i = 0; i < disegnati.size(); ++i) {
        if (i > 0) EXPECT_LT(disegnati[i - 1].x(), disegnati[i].x());
        min = std::min(min, disegnati[i].y());
        max = std::max(max, disegnati[i].y());
    }
    EXPECT_EQ(min, -5);
    EXPECT_EQ(max, 100);
    EXPECT_EQ(disegnati.last(), QPointF(n + 1, -5));
}

// A batch hands its points to the tail alone: the body, thousands of points, is
// left as it was, and the line goes on from its last point; a full tail joins it.
TEST(GraficoQt, IPuntiNuoviVannoInCodaSenzaRifareIlCorpo) {
    GraficoQt g;
    const int n = 2 * GraficoQt::punti_interi;
    for (int i = 0; i < n; ++i) g.aggiungi_punto(1, (i * 37) % 101);
    g.ridisegna();
    const QList<QPointF> corpo = g.serie(1)->points();
    ASSERT_EQ(g.coda(1)->count(), 0);

    for (int i = 0; i < 10; ++i) g.aggiungi_punto(1, 200 + i);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !g.lotto_in_attesa(); }, 2000));
    EXPECT_EQ(g.serie(1)->points(), corpo);
    ASSERT_EQ(g.coda(1)->count(), 11);
    EXPECT_EQ(g.coda(1)->at(0), corpo.last());
    EXPECT_EQ(g.disegnati(1).last(), QPointF(n + 10, 209));
    EXPECT_GE(g.massimo(1), 209);  // the axis follows the tail too

    for (int i = 0; i < GraficoQt::punti_coda; ++i) g.aggiungi_punto(1, 50);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !g.lotto_in_attesa(); }, 2000));
    EXPECT_EQ(g.coda(1)->count(), 0);
    EXPECT_GT(g.serie(1)->points().last().x(), n + 10);
    EXPECT_EQ(g.disegnati(1).size(), g.serie(1)->count());
}

namespace {

// The ticks an axis draws, from its own settings.
QList<double> tacche(const QValueAxis* a) {
    QList<double> t;
    if (a->tickType() == QValueAxis::TicksDynamic) {
        const double primo = a->tickAnchor() + std::ceil((a->min() - a->tickAnchor()) / a->tickInterval()) * a->tickInterval();
        for (double v = primo; v <= a->max() + 1e-9; v += a->tickInterval()) t.append(v);
    } else {
        for (int i = 0; i < a->tickCount(); ++i) t.append(a->min() + i * (a->max() - a->min()) / (a->tickCount() - 1));
    }
    return t;
}

// Every label names the value of its tick exactly.
void etichette_sotto_le_tacche(const QValueAxis* a, const std::string& dove) {
    for (double v : tacche(a)) {
        const QString etichetta = QString::asprintf(a->labelFormat().toLatin1().constData(), v);
        EXPECT_NEAR(etichetta.toDouble(), v, 1e-9) << dove << ": tick " << v << " reads " << etichetta.toStdString();
    }
}

}  // namespace

// At 0-10 the ticks are 0, 1, ..., 10, so jump 8 is drawn on the tick labelled "8".
TEST(GraficoQt, LeTaccheDelNumeroDiSaltoSonoNumeriInteri) {
    GraficoQt g;
    for (int i = 0; i < 10; ++i) g.aggiungi_punto(1, 30);
    g.ridisegna();
    QList<double> attese;
    for (int k = 0; k <= 10; ++k) attese.append(k);
    EXPECT_EQ(tacche(g.asse_x()), attese);
    EXPECT_EQ(g.disegnati(1).at(7).x(), 8);
    etichette_sotto_le_tacche(g.asse_x(), "0-10");

    for (int n : {11, 25, 37, 50, 99, 250, 1234, 2 * GraficoQt::punti_interi + 7}) {
        while (g.numero_punti(1) < n) g.aggiungi_punto(1, 30);
        g.ridisegna();
        const QList<double> t = tacche(g.asse_x());
        const std::string dove = std::to_string(n) + " jumps";
        EXPECT_EQ(g.asse_x()->min(), 0) << dove;
        EXPECT_GE(g.asse_x()->max(), n) << dove;
        EXPECT_EQ(t.last(), g.asse_x()->max()) << dove;
        EXPECT_GE(t.size(), 3) << dove;
        EXPECT_LE(t.size(), 11) << dove;
        for (double v : t) EXPECT_EQ(v, std::round(v)) << dove;
        etichette_sotto_le_tacche(g.asse_x(), dove);
    }
}

// The value axes too, following the data or at limits the operator wrote.
TEST(GraficoQt, LeEtichetteDegliAssiDeiValoriStannoSottoLeLoroTacche) {
    GraficoQt g;
    for (double y : {31.0, 45.5, 22.0}) g.aggiungi_punto(1, y);
    for (double y : {0.3, 0.7, 1.9}) g.aggiungi_punto(2, y);
    g.ridisegna();
    etichette_sotto_le_tacche(g.asse_y(1), "heights");
    etichette_sotto_le_tacche(g.asse_y(2), "small values");
    EXPECT_GE(g.massimo(2), 1.9);
    for (auto [lo, hi] : {std::pair{0.0, 25.0}, {3.7, 41.0}, {100.0, 350.0}, {0.0, 1.0}}) {
        g.imposta_minimo(1, lo);
        g.imposta_massimo(1, hi);
        EXPECT_EQ(g.asse_y(1)->min(), lo);
        EXPECT_EQ(g.asse_y(1)->max(), hi);
        EXPECT_GE(tacche(g.asse_y(1)).size(), 2) << lo << ".." << hi;
        etichette_sotto_le_tacche(g.asse_y(1), "limits " + std::to_string(lo) + ".." + std::to_string(hi));
    }
}

// Points on the plot area's edges, the last jump at the end of the axis and a value
// at the axis maximum, show whole markers: nothing clips them to the plot area.
TEST(GraficoQt, ISegniAiBordiSonoDisegnatiInteri) {
    GraficoQt g;
    g.resize(500, 300);
    g.show();
    const QList<double> altezze = {30, 35, 40, 32, 28, 36, 33, 38, 31, 40};
    for (double h : altezze) g.aggiungi_punto(1, h);
    for (double h : altezze) g.aggiungi_punto(2, 250 - h);
    g.ridisegna();
    QTest::qWait(50);
    ASSERT_EQ(g.asse_y(1)->max(), 40);
    ASSERT_EQ(g.asse_x()->max(), 10);
    const QRectF area = g.chart()->plotArea();
    const QList<QPointF> segni = g.segni(1);
    ASSERT_EQ(segni.size(), altezze.size());
    EXPECT_EQ(g.segni(2).size(), altezze.size());
    EXPECT_NEAR(segni.last().x(), area.right(), 1);
    EXPECT_NEAR(segni[2].y(), area.top(), 1);

    const QGraphicsItem* livello = g.livello_segni();
    EXPECT_FALSE(livello->flags() & QGraphicsItem::ItemClipsToShape);
    for (const QGraphicsItem* su = livello->parentItem(); su; su = su->parentItem())
        EXPECT_FALSE(su->flags() & QGraphicsItem::ItemClipsChildrenToShape);
    const double r = GraficoQt::raggio_segno;
    for (const QPointF& c : segni) EXPECT_TRUE(livello->boundingRect().contains(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r)));

    // On screen: the half of the top marker above the plot area is painted in the plot's colour.
    const QImage immagine = g.grab().toImage();
    const QPoint sopra = g.mapFromScene(g.chart()->mapToScene(segni[2] - QPointF(0, r - 2)));
    const QColor colore = g.serie(1)->pen().color();
    const QColor letto = immagine.pixelColor(sopra);
    EXPECT_LT(std::abs(letto.red() - colore.red()) + std::abs(letto.green() - colore.green()) +
                  std::abs(letto.blue() - colore.blue()),
              60)
        << letto.name().toStdString() << " instead of " << colore.name().toStdString();
}

// Deleting a jump takes its points away: the later ones move one step back and
// no marker of the deleted one is left.
TEST(GraficoQt, EliminareUnPuntoNonLasciaSegni) {
    GraficoQt g;
    g.resize(400, 300);
    g.show();
    for (double y : {10.0, 20.0, 30.0, 40.0}) g.aggiungi_punto(1, y);
    for (double y : {100.0, 200.0, 300.0, 400.0}) g.aggiungi_punto(2, y);
    g.ridisegna();
    g.elimina_punto(3);  // the highest of both plots
    g.elimina_punto(1);
    g.elimina_punto(7);  // no such point
    EXPECT_FALSE(g.lotto_in_attesa());
    ASSERT_EQ(g.numero_punti(1), 2);
    EXPECT_EQ(g.punto(1, 1), 30);
    EXPECT_EQ(g.disegnati(1), (QList<QPointF>{{1, 10}, {2, 30}}));
    EXPECT_EQ(g.disegnati(2), (QList<QPointF>{{1, 100}, {2, 300}}));
    EXPECT_EQ(g.segni(1).size(), 2);
    EXPECT_EQ(g.segni(2).size(), 2);
    EXPECT_LT(g.massimo(1), 40);  // the axis follows what is left
    EXPECT_LT(g.massimo(2), 400);
    g.elimina_punto(0);
    g.elimina_punto(0);
    EXPECT_EQ(g.disegnati(1).size(), 0);
    EXPECT_TRUE(g.segni(1).isEmpty());
    EXPECT_TRUE(g.livello_segni()->boundingRect().isEmpty());
}
