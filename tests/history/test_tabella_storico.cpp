// The history table without a window: cells, order, filter, the graphs' lines, the export.
#include "cartella_atleta.h"

#include "history/colonne_storico.h"
#include "history/esporta_storico.h"
#include "history/lettura_storico.h"
#include "history/serie_storico.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

const QDateTime lunedi(QDate(2024, 3, 11), QTime(9, 0, 0));

ProvaStorico letta(const QString& nome, const QString& esercizio, const QDateTime& quando,
                   const std::vector<double>& altezze) {
    ProvaStorico p;
    p.file.nome = nome;
    p.file.percorso = QStringLiteral("/atleta/") + nome;
    p.stato = ProvaStorico::Stato::Letta;
    p.esercizio = esercizio;
    p.quando = quando;
    p.salti = salti_con(altezze);
    lettura_storico::calcola_figure(p);
    return p;
}

ProvaStorico rotta(const QString& nome, const QDateTime& quando) {
    ProvaStorico p;
    p.file.nome = nome;
    p.stato = ProvaStorico::Stato::Danneggiata;
    p.motivo = QStringLiteral("guasto, \"grave\"");
    p.quando = quando;
    return p;
}

QStringList nomi(const std::vector<ProvaStorico>& prove, const std::vector<int>& righe) {
    QStringList l;
    for (int i : righe) l << prove[static_cast<size_t>(i)].file.nome;
    return l;
}

std::vector<ProvaStorico> quattro() {
    return {letta("a.csv", "CMJ", lunedi, {30, 34, 32}), letta("b.csv", "SJ", lunedi.addDays(1), {28}),
            rotta("c.csv", lunedi.addDays(2)), letta("d.csv", "CMJ", lunedi.addDays(3), {36, 20})};
}

}  // namespace

TEST(TabellaStorico, CelleComeLeMostraLaTabella) {
    const auto p = quattro();
    const QLocale it(QLocale::Italian);
    using namespace colonne_storico;
    EXPECT_EQ(testo(p[0], Data, it), "11/03/2024 09:00");
    EXPECT_EQ(testo(p[0], AltezzaMedia, it), "32,0");
    EXPECT_EQ(testo(p[0], ContattoMedio, it), "210");
    EXPECT_EQ(testo(p[0], IndiceReattivo, it), "1,52");  // (30 / 200 + 34 / 210 + 32 / 220) x 10 / 3
    EXPECT_EQ(testo(p[0], PotenzaMedia, it), "1330,0");  // the first jump's 1300 left out
    EXPECT_EQ(testo(p[0], DecrementoAltezza, it), "1,0");  // slope 1 x (3 - 2)
    EXPECT_EQ(testo(p[0], Note, it), "");
    // One jump: no mean power (the first jump's is left out) and no decrement to speak of.
    EXPECT_EQ(testo(p[1], PotenzaMedia, it), "");
    EXPECT_EQ(testo(p[1], DecrementoAltezza, it), "0,0");
    EXPECT_EQ(testo(p[2], colonne_storico::Salti, it), "");
    EXPECT_EQ(testo(p[2], Note, it), "guasto, \"grave\"");
    EXPECT_EQ(testo(letta("e.csv", "CMJ", lunedi, {}), Note, it), "nessun salto");
}

TEST(TabellaStorico, OrdineEFiltro) {
    const auto p = quattro();
    using namespace colonne_storico;
    EXPECT_EQ(nomi(p, righe(p, {}, Data, Qt::DescendingOrder)), (QStringList{"d.csv", "c.csv", "b.csv", "a.csv"}));
    EXPECT_EQ(nomi(p, righe(p, {}, Data, Qt::AscendingOrder)), (QStringList{"a.csv", "b.csv", "c.csv", "d.csv"}));
    // Numbers as numbers; the damaged file, which has none, last either way.
    EXPECT_EQ(nomi(p, righe(p, {}, AltezzaMigliore, Qt::DescendingOrder)), (QStringList{"d.csv", "a.csv", "b.csv", "c.csv"}));
    EXPECT_EQ(nomi(p, righe(p, {}, AltezzaMigliore, Qt::AscendingOrder)), (QStringList{"b.csv", "a.csv", "d.csv", "c.csv"}));
    EXPECT_EQ(nomi(p, righe(p, {}, colonne_storico::Salti, Qt::AscendingOrder)), (QStringList{"b.csv", "d.csv", "a.csv", "c.csv"}));
    // Equal values: newest first.
    EXPECT_EQ(nomi(p, righe(p, {}, Esercizio, Qt::AscendingOrder)), (QStringList{"d.csv", "a.csv", "b.csv", "c.csv"}));
    EXPECT_EQ(nomi(p, righe(p, {}, Note, Qt::AscendingOrder)), (QStringList{"c.csv", "d.csv", "b.csv", "a.csv"}));

    EXPECT_EQ(nomi(p, righe(p, "CMJ", Data, Qt::DescendingOrder)), (QStringList{"d.csv", "a.csv"}));
    EXPECT_TRUE(righe(p, "Drop", Data, Qt::DescendingOrder).empty());
    auto con_minuscole = p;
    con_minuscole.push_back(letta("f.csv", "avanzato", lunedi, {20}));
    con_minuscole.push_back(letta("g.csv", "CMJ", lunedi, {20}));
    EXPECT_EQ(esercizi(con_minuscole), (QStringList{"avanzato", "CMJ", "SJ"}));
}

TEST(TabellaStorico, SerieDelConfronto) {
    const auto p = quattro();
    const auto c = serie_storico::confronto({&p[3], &p[2], &p[0]});
    EXPECT_EQ(c.lette, 2);  // the damaged file is left out
    ASSERT_EQ(c.serie.size(), 2u);
    EXPECT_EQ(c.serie[0].nome, "11/03/2024 09:00");  // oldest first, named by date
    EXPECT_EQ(c.serie[0].punti, (QList<QPointF>{{1, 30}, {2, 34}, {3, 32}}));
    EXPECT_EQ(c.serie[1].nome, "14/03/2024 09:00");
    EXPECT_EQ(c.serie[1].punti, (QList<QPointF>{{1, 36}, {2, 20}}));
    EXPECT_NE(c.serie[0].colore, c.serie[1].colore);

    // Tests of more than one exercise say which; a test with no jump draws nothing.
    const auto e = letta("e.csv", "CMJ", lunedi, {});
    const auto misti = serie_storico::confronto({&p[0], &p[1], &e});
    ASSERT_EQ(misti.serie.size(), 2u);
    EXPECT_EQ(misti.serie[1].nome, "12/03/2024 09:00 (SJ)");

    // Many: the newest ten, every colour its own.
    std::vector<ProvaStorico> molte;
    for (int i = 0; i < 14; ++i) molte.push_back(letta(QString::number(i), "CMJ", lunedi.addDays(i), {20.0 + i}));
    std::vector<const ProvaStorico*> scelte;
    for (const auto& x : molte) scelte.push_back(&x);
    const auto tante = serie_storico::confronto(scelte);
    EXPECT_EQ(tante.lette, 14);
    ASSERT_EQ(tante.serie.size(), 10u);
    EXPECT_EQ(tante.serie.front().punti, (QList<QPointF>{{1, 24}}));
    QSet<QRgb> colori;
    for (const auto& s : tante.serie) colori.insert(s.colore.rgb());
    for (int i = 0; i < 40; ++i) colori.insert(serie_storico::colore(i).rgb());
    EXPECT_EQ(colori.size(), 40);
}

TEST(TabellaStorico, SerieDellAndamento) {
    auto p = quattro();
    p.push_back(letta("e.csv", "CMJ", lunedi.addDays(-7), {25, 27}));
    const auto a = serie_storico::andamento(p, "CMJ");
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].nome, serie_storico::nome_media);
    EXPECT_EQ(a[1].nome, serie_storico::nome_migliore);
    const auto x = [](const QDateTime& d) { return static_cast<double>(d.toMSecsSinceEpoch()); };
    EXPECT_EQ(a[0].punti, (QList<QPointF>{{x(lunedi.addDays(-7)), 26}, {x(lunedi), 32}, {x(lunedi.addDays(3)), 28}}));
    EXPECT_EQ(a[1].punti, (QList<QPointF>{{x(lunedi.addDays(-7)), 27}, {x(lunedi), 34}, {x(lunedi.addDays(3)), 36}}));
    EXPECT_TRUE(serie_storico::andamento(p, "Drop").empty());
}

TEST(TabellaStorico, EsportaCsvEXlsx) {
    const auto p = quattro();
    const std::vector<const ProvaStorico*> righe = {&p[0], &p[2]};
    const QByteArray csv = esporta_storico::testo_csv(righe);
    const QList<QByteArray> linee = csv.split('\n');
    ASSERT_EQ(linee.size(), 4);  // titles, two rows, nothing after the last line end
    EXPECT_TRUE(linee[0].startsWith("\xEF\xBB\xBF" "Data e ora,Esercizio,Salti,H media (cm),"));
    EXPECT_EQ(linee[1], "11/03/2024 09:00,CMJ,3,32.0,34.0,210,1330.0,1.52,1.0,,a.csv\r");
    EXPECT_EQ(linee[2], "13/03/2024 09:00,,,,,,,,,\"guasto, \"\"grave\"\"\",c.csv\r");

    CartellaAtleta a;
    FogliDiCalcoloFile fogli;
    const QString xlsx = a.file("storico.xlsx");
    ASSERT_EQ(esporta_storico::scrivi_xlsx(xlsx, righe, fogli), std::nullopt);
    QString errore;
    auto letto = fogli.apri(xlsx, &errore);
    ASSERT_TRUE(letto) << qPrintable(errore);
    const FoglioLavoro& f = letto->foglio_attivo();
    EXPECT_EQ(f.leggi(1, 1), ValoreCella(QStringLiteral("Data e ora")));
    EXPECT_EQ(f.leggi(1, 10), ValoreCella(QStringLiteral("Note")));
    EXPECT_EQ(f.leggi(1, 4), ValoreCella(QStringLiteral("H media (cm)")));  // on one line
    EXPECT_EQ(f.leggi(2, 2), ValoreCella(QStringLiteral("CMJ")));
    EXPECT_EQ(f.leggi(2, 4), ValoreCella(32.0));
    EXPECT_EQ(f.leggi(2, 8), colonne_storico::valore(p[0], colonne_storico::IndiceReattivo));  // whole, not rounded
    EXPECT_EQ(f.leggi(3, 4), ValoreCella());
    EXPECT_EQ(f.leggi(3, 10), ValoreCella(QStringLiteral("guasto, \"grave\"")));
    EXPECT_EQ(f.leggi(3, 11), ValoreCella(QStringLiteral("c.csv")));

    // A folder that is not there: an error, no file.
    const QString altrove = a.file("manca/storico.csv");
    EXPECT_TRUE(esporta_storico::scrivi_csv(altrove, righe).has_value());
    EXPECT_TRUE(esporta_storico::scrivi_xlsx(a.file("manca/storico.xlsx"), righe, fogli).has_value());
    EXPECT_FALSE(QFileInfo::exists(altrove));
}
