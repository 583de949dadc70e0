// The graph of several lines on Qt Charts: what the chart holds, not its pixels.
#include "adapters/qt/grafico_serie_qt.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>

#include <gtest/gtest.h>

TEST(GraficoSerieQt, OgniLineaConIlSuoNomeColoreEPunti) {
    GraficoSerieQt g;
    g.imposta_titolo(QStringLiteral("Altezze per salto"));
    g.imposta_assi(QStringLiteral("Salto"), QStringLiteral("Altezza (cm)"), GraficoSerie::AsseX::Numeri);
    const std::vector<SerieGrafico> serie = {{QStringLiteral("11/03/2024 09:00"), QColor(31, 119, 180), {{1, 30}, {2, 34}, {3, 32}}},
                                             {QStringLiteral("18/03/2024 09:00"), QColor(255, 127, 14), {{1, 41}, {2, 35}}}};
    g.mostra(serie);
    EXPECT_EQ(g.serie(), serie);
    EXPECT_EQ(g.titolo(), "Altezze per salto");
    EXPECT_TRUE(g.chart()->legend()->isVisible());
    const auto linee = g.serie_disegnate();
    ASSERT_EQ(linee.size(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(linee[i]->name(), serie[static_cast<size_t>(i)].nome);
        EXPECT_EQ(linee[i]->pen().color(), serie[static_cast<size_t>(i)].colore);
        EXPECT_EQ(linee[i]->points(), serie[static_cast<size_t>(i)].punti);
        EXPECT_TRUE(linee[i]->pointsVisible());
    }
    // Every point in view, on whole jump numbers.
    auto* x = qobject_cast<QValueAxis*>(g.asse_x());
    auto* y = qobject_cast<QValueAxis*>(g.asse_y());
    ASSERT_TRUE(x && y);
    EXPECT_EQ(x->titleText(), "Salto");
    EXPECT_EQ(y->titleText(), "Altezza (cm)");
    EXPECT_LE(x->min(), 1);
    EXPECT_GE(x->max(), 3);
    // Around the data, not from 0, on round values: 30..41 and 1 cm either side is
    // 29..42, which six intervals of 2 cannot span; of 5 they can, from 25 to 45.
    EXPECT_EQ(y->min(), 25);
    EXPECT_EQ(y->max(), 45);
    EXPECT_EQ(y->tickInterval(), 5);

    g.mostra({});
    EXPECT_TRUE(g.serie_disegnate().isEmpty());
}

TEST(GraficoSerieQt, AsseDelleDate) {
    GraficoSerieQt g;
    const QDateTime da(QDate(2024, 1, 8), QTime(9, 0)), a(QDate(2024, 3, 11), QTime(9, 0));
    g.mostra({{QStringLiteral("H media"), Qt::blue,
               {{double(da.toMSecsSinceEpoch()), 30}, {double(a.toMSecsSinceEpoch()), 33}}}});
    // Turning X into dates keeps the lines, now on a date axis that holds them.
    g.imposta_assi(QStringLiteral("Data"), QStringLiteral("Altezza (cm)"), GraficoSerie::AsseX::Date);
    auto* x = qobject_cast<QDateTimeAxis*>(g.asse_x());
    ASSERT_NE(x, nullptr);
    ASSERT_EQ(g.serie_disegnate().size(), 1);
    EXPECT_EQ(g.serie_disegnate()[0]->attachedAxes().size(), 2);
    EXPECT_TRUE(g.serie_disegnate()[0]->attachedAxes().contains(x));
    EXPECT_LT(x->min(), da);
    EXPECT_GT(x->max(), a);
    EXPECT_EQ(x->format(), "dd/MM/yy");
    // One test alone still spans a day either side.
    const QDateTime solo(QDate(2024, 2, 14), QTime(9, 0));
    g.mostra({{QStringLiteral("H media"), Qt::blue, {{double(solo.toMSecsSinceEpoch()), 33}}}});
    EXPECT_EQ(x->min(), solo.addSecs(-24 * 3600));
    EXPECT_EQ(x->max(), solo.addSecs(24 * 3600));
}
