#include "athletes/nomi_cartelle.h"
#include "report/impaginazione.h"
#include "report/nome_rapporto.h"
#include "report/scala_asse.h"
#include "report/testi_rapporto.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace impaginazione;

// Every jump on exactly one page, in order, the left block before the right one.
void controlla_righe(const std::vector<Pagina>& pagine, int32_t n) {
    int32_t prossima = 0;
    for (const Pagina& p : pagine) {
        for (const Blocco& b : p.blocchi) {
            if (b.righe == 0) continue;
            EXPECT_EQ(b.prima, prossima);
            prossima += b.righe;
        }
        EXPECT_TRUE(p.blocchi[1].righe == 0 || p.blocchi[0].righe >= p.blocchi[1].righe);
    }
    EXPECT_EQ(prossima, n);
}

TEST(Impaginazione, PagineDalNumeroDiSalti) {
    const Geometria g = geometria(contenuto_a4());
    const int32_t prima = 2 * righe_per_blocco(g.alto_tabella_prima, g);
    const int32_t altre = 2 * righe_per_blocco(g.alto_tabella_altre, g);
    ASSERT_GE(prima, 20);  // a short test fits on one page
    ASSERT_GT(altre, 2 * prima);

    EXPECT_EQ(impagina(0, g).size(), 1u);
    for (int32_t n : {1, prima, prima + 1, prima + altre, prima + altre + 1, 10000}) {
        const auto pagine = impagina(n, g);
        const int32_t attese = n <= prima ? 1 : 1 + (n - prima + altre - 1) / altre;
        EXPECT_EQ(static_cast<int32_t>(pagine.size()), attese) << n;
        controlla_righe(pagine, n);
    }
    // Each block's rows end above the footer.
    const auto pagine = impagina(300, g);
    for (const Pagina& p : pagine)
        for (const Blocco& b : p.blocchi)
            EXPECT_LE(p.alto_tabella + altezza_testata + b.righe * altezza_riga, g.piede.top());
}

TEST(Impaginazione, PrimaPaginaSenzaPostoPerLaTabella) {
    // Page 1's parts stay inside the area and apart from each other.
    const QSizeF a4 = contenuto_a4();
    const Geometria g = geometria(a4);
    const std::vector<QRectF> parti = {g.titolo, g.intestazione, g.figure, g.medie, g.grafico, g.piede};
    for (size_t i = 0; i < parti.size(); ++i) {
        EXPECT_TRUE(QRectF(QPointF(0, 0), a4).contains(parti[i])) << i;
        for (size_t j = i + 1; j < parti.size(); ++j) EXPECT_FALSE(parti[i].intersects(parti[j])) << i << " " << j;
    }
    EXPECT_LT(g.sinistra_blocco(1) + g.larghezza_blocco, a4.width() + 1e-9);

    // A short paper leaves the table to page 2.
    const Geometria bassa = geometria(QSizeF(a4.width(), g.alto_tabella_prima + 22));
    const auto pagine = impagina(10, bassa);
    ASSERT_GE(pagine.size(), 2u);
    EXPECT_EQ(pagine[0].blocchi[0].righe + pagine[0].blocchi[1].righe, 0);
    controlla_righe(pagine, 10);
}

TEST(ScalaAsse, LimitiTondiCheContengonoIValori) {
    const auto s = scala_asse::calcola(25.3, 39.2);
    EXPECT_DOUBLE_EQ(s.passo, 2.5);
    EXPECT_DOUBLE_EQ(s.minimo, 25.0);
    EXPECT_DOUBLE_EQ(s.massimo, 40.0);
    EXPECT_EQ(s.tacche(), 7);
    EXPECT_EQ(s.decimali, 1);

    const auto contatti = scala_asse::calcola(163, 246);
    EXPECT_DOUBLE_EQ(contatti.passo, 20);
    EXPECT_DOUBLE_EQ(contatti.minimo, 160);
    EXPECT_DOUBLE_EQ(contatti.massimo, 260);
    EXPECT_EQ(contatti.decimali, 0);

    EXPECT_EQ(scala_asse::calcola(0.1, 1.2).decimali, 2);  // step 0.25

    // Whole jump numbers: never a step of 2.5 or below 1.
    const auto x = scala_asse::calcola(0, 24, 10, true);
    EXPECT_DOUBLE_EQ(x.passo, 2);
    EXPECT_DOUBLE_EQ(x.massimo, 24);
    EXPECT_DOUBLE_EQ(scala_asse::calcola(0, 6, 10, true).passo, 1);
    EXPECT_DOUBLE_EQ(scala_asse::calcola(0, 1, 10, true).passo, 1);
    EXPECT_DOUBLE_EQ(scala_asse::calcola(0, 10000, 10, true).passo, 1000);
}

TEST(ScalaAsse, UnSoloValoreOValoriAssurdi) {
    const auto uno = scala_asse::calcola(30, 30);
    EXPECT_LT(uno.minimo, 30);
    EXPECT_GT(uno.massimo, 30);
    for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e308}) {
        const auto s = scala_asse::calcola(0, v);
        EXPECT_TRUE(std::isfinite(s.minimo) && std::isfinite(s.massimo) && s.passo > 0);
        EXPECT_GE(s.tacche(), 2);
        EXPECT_LE(s.tacche(), 12);
    }
}

TEST(NomeRapporto, NomeSicuroSuOgniSistema) {
    const QDate d(2025, 3, 14);
    EXPECT_EQ(nome_rapporto::suggerito(QStringLiteral("Ilvor Darsena"), QStringLiteral("Squat Jump"), d),
              "Ilvor Darsena_Squat Jump_2025-03-14.pdf");
    EXPECT_EQ(nome_rapporto::suggerito(QStringLiteral(" A/B\\C: "), QStringLiteral("x*?\"<>|\t."), d),
              "A_B_C__x________2025-03-14.pdf");
    EXPECT_EQ(nome_rapporto::suggerito(QString(), QStringLiteral("..."), d), "rapporto_2025-03-14.pdf");
    const QString lungo = nome_rapporto::suggerito(QString(300, u'a'), QString(300, u'b'), d);
    EXPECT_LE(lungo.size(), 200);
    for (const QString& n : {lungo, nome_rapporto::suggerito(QStringLiteral("CON"), QString(), QDate())})
        EXPECT_TRUE(nomi_cartelle::sicuro(n)) << n.toStdString();
}

TEST(TestiRapporto, CampiMancantiEFigureNonDisponibili) {
    const QLocale prima;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    Salti salti;
    salti.sostituisci({{500, 30.625, 0, 0, 0, 1}});
    const auto voci = testi_rapporto::intestazione({QString(), QStringLiteral("Ada"), QStringLiteral(" "), QDateTime(),
                                                    20, salti, QString(), QDateTime()});
    EXPECT_EQ(voci[0].valore, "—");
    EXPECT_EQ(voci[2].valore, "—");
    EXPECT_EQ(voci[3].valore, "non disponibile");
    EXPECT_EQ(testi_rapporto::riga(salti[1])[3], "30,6");

    const auto f = figure_prova::calcola(salti);
    const auto figure = testi_rapporto::figure(f);
    EXPECT_EQ(figure[1].etichetta, "Media dei salti (meno di 3)");
    EXPECT_EQ(figure[3].valore, "n.d.");
    EXPECT_EQ(figure[4].valore, "n.d.");
    EXPECT_TRUE(testi_rapporto::nota_figure(f).contains(QStringLiteral("senza i 1 salti con tempo di contatto nullo")));
    QLocale::setDefault(prima);
}

}  // namespace
