#include "tools/figure_prova.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Riga {
    double altezza, t_contatto, n_rip;
};

Salti prova(const std::vector<Riga>& righe) {
    std::vector<Salto> s;
    for (const Riga& r : righe) s.push_back({0, r.altezza, r.t_contatto, 1, 2, r.n_rip});
    Salti salti;
    salti.sostituisci(s);
    return salti;
}

// Five jumps worked by hand; jump 3 was deleted live, so n_rip runs 1 2 4 5 6.
TEST(FigureProva, CinqueSaltiCalcolatiAMano) {
    const auto f = figure_prova::calcola(
        prova({{30, 250, 1}, {33, 200, 2}, {36, 180, 4}, {27, 150, 5}, {24, 160, 6}}));
    EXPECT_EQ(f.n_salti, 5);
    EXPECT_DOUBLE_EQ(f.altezza_migliore, 36);
    EXPECT_EQ(f.salto_migliore, 3);
    EXPECT_DOUBLE_EQ(f.n_rip_migliore, 4);
    EXPECT_DOUBLE_EQ(f.media_tre_migliori, 33);  // (36 + 33 + 30) / 3
    EXPECT_DOUBLE_EQ(f.media_t_contatto, 188);   // 940 / 5
    // Indices 1.2, 1.65, 2.0, 1.8, 1.5.
    EXPECT_EQ(f.n_indici_reattivi, 5);
    EXPECT_NEAR(*f.indice_reattivo_medio, 1.63, 1e-12);
    EXPECT_NEAR(*f.indice_reattivo_migliore, 2.0, 1e-12);
    // A fifth is one jump: (30 - 24) / 30.
    EXPECT_EQ(f.quinto, 1);
    EXPECT_NEAR(*f.indice_fatica, 20.0, 1e-12);
    // The averages window's figures: mean height 30; slope of the heights against
    // n_rip -21 / 17.2, times N - 2.
    EXPECT_FLOAT_EQ(f.medie[2], 30.0f);
    EXPECT_FLOAT_EQ(f.medie[3], 188.0f);
    EXPECT_FLOAT_EQ(f.medie[5], 2.0f);
    EXPECT_NEAR(f.decrementi[2], -21.0 / 17.2 * 3, 1e-5);
}

TEST(FigureProva, UnSaltoENessuno) {
    const auto uno = figure_prova::calcola(prova({{20, 100, 1}}));
    EXPECT_DOUBLE_EQ(uno.altezza_migliore, 20);
    EXPECT_DOUBLE_EQ(uno.media_tre_migliori, 20);
    EXPECT_DOUBLE_EQ(*uno.indice_reattivo_migliore, 2.0);
    EXPECT_EQ(uno.quinto, 1);
    EXPECT_DOUBLE_EQ(*uno.indice_fatica, 0.0);  // first and last fifth are the same jump
    EXPECT_FLOAT_EQ(uno.medie[4], 0.0f);        // the first jump's s_acc is not counted

    const auto nessuno = figure_prova::calcola(Salti());
    EXPECT_EQ(nessuno.n_salti, 0);
    EXPECT_EQ(nessuno.salto_migliore, 0);
    EXPECT_FALSE(nessuno.indice_reattivo_medio);
    EXPECT_FALSE(nessuno.indice_fatica);
}

TEST(FigureProva, ContattoNulloNonEntraNellIndiceReattivo) {
    const auto f = figure_prova::calcola(prova({{30, 0, 1}, {20, 100, 2}, {40, -5, 3}}));
    EXPECT_EQ(f.n_indici_reattivi, 1);
    EXPECT_DOUBLE_EQ(*f.indice_reattivo_medio, 2.0);
    EXPECT_DOUBLE_EQ(*f.indice_reattivo_migliore, 2.0);

    const auto nessuno = figure_prova::calcola(prova({{30, 0, 1}, {20, 0, 2}}));
    EXPECT_EQ(nessuno.n_indici_reattivi, 0);
    EXPECT_FALSE(nessuno.indice_reattivo_medio);
    EXPECT_FALSE(nessuno.indice_reattivo_migliore);
}

TEST(FigureProva, QuintoArrotondatoPerEccessoESaltiUguali) {
    // N = 7: a fifth is 2 jumps, (39 - 31) / 39.
    const auto f = figure_prova::calcola(
        prova({{40, 1, 1}, {38, 1, 2}, {36, 1, 3}, {35, 1, 4}, {34, 1, 5}, {32, 1, 6}, {30, 1, 7}}));
    EXPECT_EQ(f.quinto, 2);
    EXPECT_NEAR(*f.indice_fatica, 8.0 / 39.0 * 100.0, 1e-12);
    EXPECT_EQ(figure_prova::calcola(prova(std::vector<Riga>(11, {30, 1, 1}))).quinto, 3);

    // Equal best heights: the first counts; fewer than three jumps: their mean.
    const auto pari = figure_prova::calcola(prova({{30, 1, 1}, {35, 1, 2}, {35, 1, 3}}));
    EXPECT_EQ(pari.salto_migliore, 2);
    const auto due = figure_prova::calcola(prova({{30, 1, 1}, {35, 1, 2}}));
    EXPECT_DOUBLE_EQ(due.media_tre_migliori, 32.5);
    // A later jump above the best three replaces the lowest of them.
    const auto cinque = figure_prova::calcola(prova({{10, 1, 1}, {20, 1, 2}, {30, 1, 3}, {5, 1, 4}, {40, 1, 5}}));
    EXPECT_DOUBLE_EQ(cinque.media_tre_migliori, 30);
}

TEST(FigureProva, PrimoQuintoFermoNonDaIndiceDiFatica) {
    const auto f = figure_prova::calcola(prova({{0, 100, 1}, {10, 100, 2}, {20, 100, 3}}));
    EXPECT_FALSE(f.indice_fatica);
}

}  // namespace
