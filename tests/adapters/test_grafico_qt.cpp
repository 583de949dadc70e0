#include "adapters/qt/grafico_qt.h"

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
    EXPECT_EQ(g.serie(1)->count(), 0);

    // the batch goes by itself after a short while
    EXPECT_TRUE(QTest::qWaitFor([&] { return g.serie(1)->count() == 2; }, 2000));
    EXPECT_EQ(g.serie(2)->count(), 1);
    EXPECT_EQ(g.serie(1)->at(0), QPointF(1, 30.5));  // one step along X per point, from 1
    EXPECT_EQ(g.serie(1)->at(1), QPointF(2, 28));

    g.aggiungi_punto(2, 300);
    g.ridisegna();  // at once
    EXPECT_FALSE(g.lotto_in_attesa());
    EXPECT_EQ(g.serie(2)->at(1), QPointF(2, 300));
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
    EXPECT_EQ(g.serie(1)->count(), 0);
    EXPECT_FALSE(g.lotto_in_attesa());
    EXPECT_EQ(g.minimo(2), 100);
    EXPECT_EQ(g.didascalia(), "SALTO");
    EXPECT_EQ(g.didascalia_y(2), "Tempo Cont. (msec)");
    g.aggiungi_punto(1, 40);
    g.ridisegna();
    EXPECT_EQ(g.serie(1)->at(0), QPointF(1, 40));  // numbering starts again
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
    const QList<QPointF> disegnati = g.serie(1)->points();
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
