#include "report/rapporto.h"
#include "support/file_prova.h"
#include "testo_pdf.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class RapportoPdf : public ::testing::Test {
protected:
    void SetUp() override { locale_prima_ = QLocale(); }
    void TearDown() override { QLocale::setDefault(locale_prima_); }

    DatiRapporto dati(const Salti& salti) const {
        return {QStringLiteral("Atletica Valdora"), QStringLiteral("Ilvor Darsena"), QStringLiteral("Salti continui"),
                QDateTime(QDate(2025, 3, 14), QTime(10, 42, 7)), 20, salti, QStringLiteral("Hopa 1.0.0"),
                QDateTime(QDate(2025, 3, 14), QTime(11, 5))};
    }
    QString scrivi(const DatiRapporto& d) {
        const QString p = dir_.filePath(QStringLiteral("rapporto.pdf"));
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        EXPECT_TRUE(scrivi_pdf(d, f));
        return p;
    }

    QTemporaryDir dir_;
    QLocale locale_prima_;
};

// Five jumps worked by hand (jump 3 deleted live: n_rip 1 2 4 5 6), Italian locale.
TEST_F(RapportoPdf, CinqueSaltiConFigureMedieEDecrementiCalcolatiAMano) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    Salti salti;
    salti.sostituisci({{500, 30, 250, 0, 0, 1},
                       {520, 33, 200, 10, 40, 2},
                       {540, 36, 180, 12, 44, 4},
                       {480, 27, 150, 14, 36, 5},
                       {460, 24, 160, 16, 32, 6}});
    const QString pdf = scrivi(dati(salti));
    ASSERT_EQ(pagine_pdf(pdf), 1);
    const auto r = righe_pdf(pdf);

    EXPECT_TRUE(in_fila(r, {"Rapporto", "prova"}));
    EXPECT_TRUE(in_fila(r, {"Squadra:", "Atletica", "Valdora"}));
    EXPECT_TRUE(in_fila(r, {"Atleta:", "Ilvor", "Darsena"}));
    EXPECT_TRUE(in_fila(r, {"Esercizio:", "Salti", "continui"}));
    EXPECT_TRUE(in_fila(r, {"Data", "prova:", "14/03/2025", "10:42"}));
    EXPECT_TRUE(in_fila(r, {"T", "volo", "min:", "20", "ms"}));
    EXPECT_TRUE(in_fila(r, {"Numero", "salti:", "5"}));

    EXPECT_TRUE(in_fila(r, {"N°Rip", "Tvolo", "Tcon.", "Altez.", "Sp.Acc.", "Pot."}));
    EXPECT_TRUE(in_fila(r, {"1", "500", "250", "30,0", "0,0", "0,0"}));
    EXPECT_TRUE(in_fila(r, {"2", "520", "200", "33,0", "10,0", "40,0"}));
    EXPECT_TRUE(in_fila(r, {"4", "540", "180", "36,0", "12,0", "44,0"}));
    EXPECT_TRUE(in_fila(r, {"5", "480", "150", "27,0", "14,0", "36,0"}));
    EXPECT_TRUE(in_fila(r, {"6", "460", "160", "24,0", "16,0", "32,0"}));

    // Means, and slopes against n_rip times N - 2 (s_acc and power without jump 1).
    EXPECT_TRUE(in_fila(r, {"MEDIA", "DECREMENTO"}));
    EXPECT_TRUE(in_fila(r, {"Tempo", "Volo", "(msec)", "500,0", "-24,4"}));
    EXPECT_TRUE(in_fila(r, {"Altezza", "(cm)", "30,0", "-3,7"}));
    EXPECT_TRUE(in_fila(r, {"Tempo", "Contatto", "(msec)", "188,0", "-53,0"}));
    EXPECT_TRUE(in_fila(r, {"Spazio", "Acc.", "(cm)", "13,0", "4,2"}));
    EXPECT_TRUE(in_fila(r, {"Potenza", "(Watt)", "38,0", "-7,2"}));

    EXPECT_TRUE(in_fila(r, {"Salto", "migliore", "36,0", "cm", "(N°", "4)"}));
    EXPECT_TRUE(in_fila(r, {"Media", "dei", "3", "salti", "migliori", "33,0", "cm"}));
    EXPECT_TRUE(in_fila(r, {"Tempo", "di", "contatto", "medio", "188", "ms"}));
    EXPECT_TRUE(in_fila(r, {"Indice", "di", "forza", "reattiva", "medio", "1,63", "m/s"}));
    EXPECT_TRUE(in_fila(r, {"Indice", "di", "forza", "reattiva", "migliore", "2,00", "m/s"}));
    EXPECT_TRUE(in_fila(r, {"Indice", "di", "fatica", "20,0", "%"}));

    EXPECT_TRUE(in_fila(r, {"Stampato", "il", "14/03/2025", "11:05"}));
    EXPECT_TRUE(in_fila(r, {"pagina", "1", "di", "1"}));
    EXPECT_TRUE(in_fila(r, {"Hopa", "1.0.0"}));
    // The graph's captions are text too.
    EXPECT_TRUE(in_fila(r, {"N°", "Salto"}));
}

// Ten decimal numbers a jump, no ties: the expected text is built without the program's formats.
QString decimi(int d) { return QStringLiteral("%1.%2").arg(d / 10).arg(d % 10); }

TEST_F(RapportoPdf, OgniSaltoSuPiuPagineConLeTesteRipetute) {
    QLocale::setDefault(QLocale::c());
    std::vector<Salto> v;
    for (int k = 1; k <= 120; ++k)
        v.push_back({400.0 + k, (200 + (k * 13) % 150) / 10.0, 150.0 + (k * 7) % 100, (k * 3 % 200) / 10.0,
                     (300 + k * 11 % 500) / 10.0, static_cast<double>(k)});
    Salti salti;
    salti.sostituisci(v);
    salti.elimina(5);
    const DatiRapporto d = dati(salti);
    const QString pdf = scrivi(d);

    const int pagine = pagine_pdf(pdf);
    EXPECT_EQ(pagine, 2);
    EXPECT_EQ(pagine, Rapporto(d).pagine());
    const auto tutte = righe_pdf(pdf);
    for (int k = 1; k <= 120; ++k) {
        const QStringList riga{QString::number(k), QString::number(400 + k), QString::number(150 + (k * 7) % 100),
                               decimi(200 + (k * 13) % 150), decimi(k * 3 % 200), decimi(300 + k * 11 % 500)};
        EXPECT_EQ(in_fila(tutte, riga), k != 5) << "salto " << k;
    }
    const QStringList teste{"N°Rip", "Tvolo", "Tcon.", "Altez.", "Sp.Acc.", "Pot."};
    for (int p = 1; p <= pagine; ++p) {
        const auto r = righe_pdf(pdf, p);
        EXPECT_EQ(volte(r, teste), 2) << "pagina " << p;  // both blocks
        EXPECT_TRUE(in_fila(r, {"pagina", QString::number(p), "di", QString::number(pagine)}));
    }
    // Later pages say whose test they are.
    EXPECT_TRUE(in_fila(righe_pdf(pdf, 2), {"Ilvor", "Darsena", "·", "Salti", "continui"}));
}

}  // namespace
