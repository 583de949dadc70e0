#include "core/metriche.h"
#include "files/foglio_prova.h"
#include "adapters/workbook/fogli_file.h"
#include "adapters/workbook/foglio_memoria.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

Salti prova_di(int n) {
    Salti s;
    for (int k = 1; k <= n; ++k) {
        s.aggiungi(180 + 7 * k);
        calcola_metriche(s, 420 + 3 * k);
    }
    return s;
}

const QString marca = QStringLiteral(" 2024 03 15 09 05 07");

struct Scritto {
    FoglioMemoria foglio;
    bool ok = false;
    QString errore;
    std::vector<int> massimi, valori;
};

Scritto scrivi(const Salti& s) {
    Scritto r;
    Avanzamento a{[&r](int n) { r.massimi.push_back(n); }, [&r](int k) { r.valori.push_back(k); }};
    r.ok = scrivi_prova_foglio(r.foglio, s, QStringLiteral("Mario Rossi"), QStringLiteral("Spinte Panca"), marca, a,
                               &r.errore);
    return r;
}

}  // namespace

TEST(FoglioProva, ZeroSaltiSoloTitoliEZeroInJ1) {
    Scritto s = scrivi(Salti{});
    ASSERT_TRUE(s.ok);
    const QStringList attesi = {"Data",        "Nome",        "Tipo salto",  "N rip",      "T volo (ms)",
                                "T cont (ms)", "H (cm) ",     "Sdown (cm) ", "Potenza (W)"};
    for (int c = 1; c <= 9; ++c) {
        ASSERT_NE(s.foglio.cella(1, c), nullptr);
        EXPECT_EQ(std::get<QString>(s.foglio.leggi(1, c)), attesi[c - 1]);
        EXPECT_TRUE(s.foglio.cella(1, c)->grassetto);
        EXPECT_TRUE(s.foglio.cella(1, c)->formato_numero.isEmpty());
    }
    EXPECT_EQ(std::get<double>(s.foglio.leggi(1, 10)), 0.0);
    EXPECT_EQ(s.foglio.cella(1, 10)->formato_numero, "0");
    EXPECT_FALSE(s.foglio.cella(1, 10)->grassetto);
    EXPECT_EQ(s.foglio.numero_celle(), 10u);  // nothing else
    EXPECT_EQ(s.foglio.larghezza_colonne(), 10.0);
    EXPECT_EQ(s.massimi, std::vector<int>{0});
    EXPECT_TRUE(s.valori.empty());
}

TEST(FoglioProva, UnaRigaPerSaltoConIFormatiDelleColonne) {
    Salti p = prova_di(4);
    p.elimina(2);  // the jumps keep their n_rip: 1, 3, 4
    Scritto s = scrivi(p);
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(std::get<double>(s.foglio.leggi(1, 10)), 3.0);
    for (int k = 1; k <= 3; ++k) {
        const int r = k + 1;
        EXPECT_EQ(std::get<QString>(s.foglio.leggi(r, 1)), marca);
        EXPECT_EQ(std::get<QString>(s.foglio.leggi(r, 2)), "Mario Rossi");
        EXPECT_EQ(std::get<QString>(s.foglio.leggi(r, 3)), "Spinte Panca");
        const double attesi[] = {p[k].n_rip, p[k].t_volo, p[k].t_contatto, p[k].altezza, p[k].s_acc, p[k].potenza};
        for (int c = 0; c < 6; ++c) EXPECT_EQ(std::get<double>(s.foglio.leggi(r, 4 + c)), attesi[c]) << r << "," << c;
        for (int c = 1; c <= 6; ++c) EXPECT_TRUE(s.foglio.cella(r, c)->formato_numero.isEmpty());
        for (int c = 7; c <= 9; ++c) EXPECT_EQ(s.foglio.cella(r, c)->formato_numero, "#.0");
        for (int c = 1; c <= 9; ++c) EXPECT_FALSE(s.foglio.cella(r, c)->grassetto);
        EXPECT_EQ(s.foglio.cella(r, 10), nullptr);
    }
    EXPECT_EQ(std::get<double>(s.foglio.leggi(3, 4)), 3.0);
    EXPECT_EQ(s.foglio.numero_celle(), 10u + 3u * 9u);
    EXPECT_EQ(s.valori, (std::vector<int>{1, 2, 3}));
}

TEST(FoglioProva, PiuSaltiDiQuantiNeStannoIn16BitNonScriveNulla) {
    Salti p;
    p.ridimensiona(32768);
    Scritto s = scrivi(p);
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(s.errore, "Overflow");
    EXPECT_EQ(s.foglio.numero_celle(), 0u);
}

TEST(FoglioProva, RiletturaDiUnFoglioScritto) {
    Salti p = prova_di(5);
    p.elimina(1);
    Scritto s = scrivi(p);
    std::vector<int> massimi, valori;
    auto e = leggi_prova_foglio(s.foglio, {[&](int n) { massimi.push_back(n); }, [&](int k) { valori.push_back(k); }});
    ASSERT_EQ(e.tipo, EsitoLettura::Tipo::Letta) << e.errore.toStdString();
    EXPECT_EQ(e.prova.nome_utente, "Mario Rossi");
    EXPECT_EQ(e.prova.macchina_utente, "Spinte Panca");
    ASSERT_EQ(e.prova.salti.size(), 4u);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(e.prova.salti[static_cast<size_t>(k - 1)], p[k]);
    EXPECT_EQ(e.prova.salti[0].n_rip, 2);  // from column D, not k
    EXPECT_EQ(massimi, std::vector<int>{4});
    EXPECT_EQ(valori, (std::vector<int>{1, 2, 3, 4}));
}

TEST(FoglioProva, UnFileRilettoOppureIlMotivoPerCuiNonSiApre) {
    QTemporaryDir dir;
    const QString percorso = QDir(dir.path()).filePath(QStringLiteral("prova.xlsx"));
    FogliDiCalcoloFile fogli;
    const Salti p = prova_di(3);
    auto cartella = fogli.nuova();
    ASSERT_TRUE(scrivi_prova_foglio(cartella->foglio_attivo(), p, QStringLiteral("Ada"), QStringLiteral("CMJ"), marca, {},
                                    nullptr) &&
                cartella->salva_con_nome(percorso, nullptr));
    int massimo = -1;
    const EsitoLettura e = leggi_file_foglio(percorso, fogli, {[&](int n) { massimo = n; }, {}});
    ASSERT_EQ(e.tipo, EsitoLettura::Tipo::Letta) << e.errore.toStdString();
    EXPECT_EQ(e.prova.salti.size(), 3u);
    EXPECT_EQ(e.prova.salti[2], p[3]);
    EXPECT_EQ(massimo, 3);
    const EsitoLettura manca = leggi_file_foglio(percorso + QStringLiteral(".no"), fogli, {});
    EXPECT_EQ(manca.tipo, EsitoLettura::Tipo::Errore);
    EXPECT_FALSE(manca.errore.isEmpty());
}

TEST(FoglioProva, IlControlloDiC1EdEsatto) {
    for (ValoreCella c1 : {ValoreCella{QStringLiteral("Tipo salto ")}, ValoreCella{QStringLiteral("tipo salto")},
                           ValoreCella{QStringLiteral(" Tipo salto")}, ValoreCella{}, ValoreCella{3.0}}) {
        FoglioMemoria f;
        f.scrivi(1, 3, c1);
        f.scrivi(1, 10, 0.0);
        EXPECT_EQ(leggi_prova_foglio(f, {}).tipo, EsitoLettura::Tipo::FormatoErrato);
    }
}

TEST(FoglioProva, ConversioniDiJ1EDelleColonneDaDaI) {
    auto con = [](ValoreCella j1, std::vector<std::pair<int, ValoreCella>> riga2 = {}) {
        FoglioMemoria f;
        f.scrivi(1, 3, QStringLiteral("Tipo salto"));
        f.scrivi(1, 10, j1);
        for (auto& [c, v] : riga2) f.scrivi(2, c, v);
        return leggi_prova_foglio(f, {});
    };
    auto errore = [](const EsitoLettura& e) { return e.tipo == EsitoLettura::Tipo::Errore ? e.errore : QString(); };
    EXPECT_EQ(errore(con(40000.0)), "Overflow");
    EXPECT_EQ(errore(con(32767.5)), "Overflow");
    EXPECT_EQ(errore(con(-1.0)), "Indice non compreso nell'intervallo");
    EXPECT_EQ(errore(con(QStringLiteral("tre"))), "Tipo non corrispondente");
    EXPECT_EQ(errore(con(1.0, {{6, QStringLiteral("abc")}})), "Tipo non corrispondente");
    EXPECT_EQ(errore(con(1.0, {{9, QString()}})), "Tipo non corrispondente");
    // A legacy workbook can store an infinity or a NaN; no jump holds one.
    EXPECT_EQ(errore(con(1.0, {{5, std::numeric_limits<double>::infinity()}})), "Tipo non corrispondente");
    EXPECT_EQ(errore(con(1.0, {{8, std::numeric_limits<double>::quiet_NaN()}})), "Tipo non corrispondente");
    EXPECT_EQ(errore(con(std::numeric_limits<double>::infinity())), "Tipo non corrispondente");

    EXPECT_EQ(con(ValoreCella{}).prova.salti.size(), 0u);  // empty J1 is 0 jumps
    EXPECT_EQ(con(2.5).prova.salti.size(), 2u);            // a half goes to the even neighbour
    EXPECT_EQ(con(3.5).prova.salti.size(), 4u);
    EXPECT_EQ(con(QStringLiteral(" 3 ")).prova.salti.size(), 3u);

    // Numbers written as text count; empty cells and missing rows read as 0.
    auto e = con(3.0, {{2, 12.0}, {3, QString()}, {4, QStringLiteral("7")}, {5, QStringLiteral("512.5")}, {7, true}});
    ASSERT_EQ(e.tipo, EsitoLettura::Tipo::Letta) << e.errore.toStdString();
    EXPECT_EQ(e.prova.nome_utente, "12");
    EXPECT_EQ(e.prova.macchina_utente, "");
    EXPECT_EQ(e.prova.salti[0].n_rip, 7);
    EXPECT_EQ(e.prova.salti[0].t_volo, 512.5);
    EXPECT_EQ(e.prova.salti[0].t_contatto, 0);
    EXPECT_EQ(e.prova.salti[0].altezza, 1);
    EXPECT_EQ(e.prova.salti[2], Salto{});
}
