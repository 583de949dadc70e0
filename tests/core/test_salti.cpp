#include "core/salti.h"
#include "core/stato.h"

#include <gtest/gtest.h>

TEST(Salti, UnaProvaNuovaHaSoloIlSegnaposto) {
    Salti s;
    EXPECT_EQ(s.numero(), 0);
    EXPECT_EQ(s[0], Salto{});
    EXPECT_THROW(s[1], std::out_of_range);
}

TEST(Salti, EliminaSpostaIRecordInteriETieneNRip) {
    Salti s;
    for (int k = 1; k <= 4; ++k) {
        int i = s.aggiungi(100 * k);
        s[i].n_rip = k;
        s[i].t_volo = 400 + k;
    }
    s.elimina(2);
    ASSERT_EQ(s.numero(), 3);
    EXPECT_EQ(s[2].n_rip, 3);
    EXPECT_EQ(s[2].t_contatto, 300);
    EXPECT_EQ(s[3].n_rip, 4);
    EXPECT_EQ(s[3].t_volo, 404);
    EXPECT_EQ(s[0], Salto{});
    s.elimina(0);  // the placeholder is never a jump
    s.elimina(4);
    EXPECT_EQ(s.numero(), 3);
}

TEST(Salti, AzzeraESostituisci) {
    Salti s;
    s.aggiungi(1);
    s.aggiungi(2);
    s.azzera();
    EXPECT_EQ(s.numero(), 0);
    Salto a;
    a.t_volo = 5;
    s.sostituisci({a, a, a});
    EXPECT_EQ(s.numero(), 3);
    EXPECT_EQ(s[3].t_volo, 5);
    EXPECT_EQ(s[0], Salto{});
    s.ridimensiona(2);
    EXPECT_EQ(s.numero(), 2);
    EXPECT_EQ(s[2], Salto{});
}

TEST(Stato, ValoriIniziali) {
    Stato st;
    EXPECT_EQ(st.testo_versione, "Hopa 1.0.0");
    EXPECT_EQ(st.didascalia(), "Hopa 1.0.0 non connesso");
    EXPECT_EQ(st.nome_utente, "Ilvor Darsena");
    EXPECT_EQ(st.macchina_utente, "Spinte Panca");
    EXPECT_EQ(st.carico_utente, 100.0f);
    EXPECT_EQ(st.t_volo_min, 20);
    for (int v : st.indice_utente) EXPECT_EQ(v, 0);
    EXPECT_FALSE(st.connesso || st.hid_connesso || st.acquisizione || st.scarta_primo || st.avvio_hid ||
                 st.invio_seriale);
    st.cartella_programma = "/tmp/prog";
    EXPECT_EQ(st.cartella_ini(), "/tmp/prog/ini");
    EXPECT_EQ(st.file_ini(), "/tmp/prog/ini/hopa.ini");

    QString vista;
    st.imposta_didascalia = [&](const QString& t) { vista = t; };
    st.testo_connessione = " Connesso via HID";
    st.aggiorna_didascalia();
    EXPECT_EQ(vista, "Hopa 1.0.0 Connesso via HID");
}
