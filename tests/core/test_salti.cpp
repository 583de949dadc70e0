#include "core/salti.h"
#include "core/cartelle_programma.h"
#include "core/sessione_atleta.h"
#include "core/stato_collegamento.h"

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

TEST(StatoIniziale, SessioneCollegamentoECartelle) {
    SessioneAtleta sessione;
    EXPECT_EQ(sessione.nome_utente, "Ilvor Darsena");
    EXPECT_EQ(sessione.macchina_utente, "Spinte Panca");
    EXPECT_EQ(sessione.carico_utente, 100.0f);
    EXPECT_EQ(sessione.t_volo_min, 20);
    for (int v : sessione.indice_utente) EXPECT_EQ(v, 0);

    StatoCollegamento st;
    EXPECT_EQ(st.testo_versione, "Hopa 1.0.0");
    EXPECT_EQ(st.didascalia(), "Hopa 1.0.0 non connesso");
    EXPECT_FALSE(st.connesso || st.hid_connesso || st.acquisizione || st.scarta_primo || st.avvio_hid ||
                 st.invio_seriale);

    CartelleProgramma cartelle;
    cartelle.programma = "/tmp/prog";
    EXPECT_EQ(cartelle.cartella_ini(), "/tmp/prog/ini");
    EXPECT_EQ(cartelle.file_ini(), "/tmp/prog/ini/hopa.ini");

    // A new connection text is announced with the whole caption.
    QStringList didascalie;
    QObject::connect(&st, &StatoCollegamento::didascalia_cambiata, [&](const QString& t) { didascalie << t; });
    st.imposta_testo_connessione(" Connesso via HID");
    EXPECT_EQ(st.testo_connessione(), " Connesso via HID");
    st.aggiorna_didascalia();
    EXPECT_EQ(didascalie, QStringList({"Hopa 1.0.0 Connesso via HID", "Hopa 1.0.0 Connesso via HID"}));
}
