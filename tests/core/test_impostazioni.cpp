#include "core/impostazioni.h"
#include "core/sessione_atleta.h"
#include "platform/archivio_impostazioni.h"

#include <gtest/gtest.h>

TEST(Impostazioni, ArchivioVuotoDaIPredefiniti) {
    ArchivioMemoria a;
    SessioneAtleta st;
    st.nome_utente = "x";
    st.macchina_utente = "y";
    st.carico_utente = 3;
    st.t_volo_min = 99;
    st.indice_utente.fill(5);
    carica_impostazioni(st, a);
    EXPECT_EQ(st.nome_utente, "Ilvor Darsena");
    EXPECT_EQ(st.macchina_utente, "Spinte Panca");
    EXPECT_EQ(st.carico_utente, 100.0f);
    EXPECT_EQ(st.t_volo_min, 20);
    for (int v : st.indice_utente) EXPECT_EQ(v, 0);
    EXPECT_EQ(a.numero(), 0) << "a load writes nothing";
}

TEST(Impostazioni, ConversioniDegliIndici) {
    ArchivioMemoria a;
    a.scrivi("funz", "indice_utente_0", "7.5");
    a.scrivi("funz", "indice_utente_1", "6.5");
    a.scrivi("funz", "indice_utente_2", "12abc");
    a.scrivi("funz", "indice_utente_3", "  -1");
    a.scrivi("funz", "indice_utente_10", "abc");
    a.scrivi("funz", "t_n_min", "33.5");
    SessioneAtleta st;
    st.indice_utente.fill(9);
    carica_impostazioni(st, a);
    EXPECT_EQ(st.indice_utente[0], 8);
    EXPECT_EQ(st.indice_utente[1], 6);
    EXPECT_EQ(st.indice_utente[2], 12);
    EXPECT_EQ(st.indice_utente[3], -1);
    EXPECT_EQ(st.indice_utente[10], 0);
    EXPECT_EQ(st.indice_utente[4], 0);
    EXPECT_EQ(st.t_volo_min, 34);
}

TEST(Impostazioni, IlVoloMinimoSopravviveAUnRiavvio) {
    ArchivioMemoria a;
    a.scrivi("funz", "t_v_max", "77");  // the key nothing writes is not read
    SessioneAtleta st;
    st.t_volo_min = 45;
    salva_impostazioni(st, a, QLocale::c());
    EXPECT_EQ(a.leggi("funz", "t_n_min", ""), "45");
    SessioneAtleta dopo;
    carica_impostazioni(dopo, a);
    EXPECT_EQ(dopo.t_volo_min, 45);
}

TEST(Impostazioni, SalvataggioCompletoERilettura) {
    ArchivioMemoria a;
    SessioneAtleta st;
    st.nome_utente = "Mario Rossi";
    st.macchina_utente = "Squat";
    st.carico_utente = 82.25f;
    for (int i = 0; i < 11; ++i) st.indice_utente[i] = i * 3 - 2;
    salva_impostazioni(st, a, QLocale::c());
    EXPECT_EQ(a.leggi("funz", "max_indice0", ""), "10");
    EXPECT_EQ(a.leggi("funz", "indice_utente_0", ""), "-2");
    EXPECT_EQ(a.leggi("funz", "indice_utente_10", ""), "28");
    EXPECT_EQ(a.leggi("funz", "carico_utente", ""), "82.25");
    EXPECT_EQ(a.numero(), 1 + 11 + 4);
    SessioneAtleta r;
    carica_impostazioni(r, a);
    EXPECT_EQ(r.nome_utente, st.nome_utente);
    EXPECT_EQ(r.macchina_utente, st.macchina_utente);
    EXPECT_EQ(r.carico_utente, st.carico_utente);
    EXPECT_EQ(r.indice_utente, st.indice_utente);
}

TEST(Impostazioni, CaricoConLaVirgolaDellaLocalizzazione) {
    ArchivioMemoria a;
    SessioneAtleta st;
    st.carico_utente = 100.5f;
    salva_impostazioni(st, a, QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(a.leggi("funz", "carico_utente", ""), "100,5");
    SessioneAtleta r;
    carica_impostazioni(r, a);
    EXPECT_EQ(r.carico_utente, 100.0f) << "the numeric prefix stops at the comma";
}
