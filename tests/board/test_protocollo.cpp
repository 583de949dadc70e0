#include "banco_seriale.h"
#include "board/apertura_porta.h"

#include <gtest/gtest.h>

TEST(Protocollo, InviaComandoVaDoveDiconoIFlag) {
    BancoSeriale b;
    ASSERT_FALSE(b.porta->apri().has_value());
    auto& p = b.c->protocollo();
    p.invia_comando("$?");
    EXPECT_TRUE(b.hid.inviati.empty());
    EXPECT_TRUE(b.porta->scritto.isEmpty()) << "neither flag: nothing is sent";
    b.st.hid_connesso = true;
    p.invia_comando("$S");
    b.st.invio_seriale = true;
    p.invia_comando("$T");
    b.st.hid_connesso = false;
    p.invia_comando("?");
    EXPECT_EQ(b.hid.inviati, (std::vector<QByteArray>{"$S", "$T"}));
    EXPECT_EQ(b.porta->scritto, "$T?");
}

TEST(Protocollo, AprireLaPortaAbilitaLInvioSerialeChiuderlaLoToglie) {
    BancoSeriale b;
    Open_comm(*b.porta, b.st, b.messaggi);
    EXPECT_TRUE(b.st.invio_seriale);
    Open_comm(*b.porta, b.st, b.messaggi);  // open already: silent, still a success
    EXPECT_TRUE(b.messaggi.mostrati.empty());
    EXPECT_TRUE(b.st.invio_seriale);
    chiudi_porta(*b.porta, b.st);
    EXPECT_FALSE(b.st.invio_seriale);
    EXPECT_FALSE(b.porta->aperta());

    b.st.hid_connesso = true;  // the board is on HID: commands stay there
    Open_comm(*b.porta, b.st, b.messaggi);
    EXPECT_FALSE(b.st.invio_seriale);
    chiudi_porta(*b.porta, b.st);

    b.st.hid_connesso = false;
    b.porta->guaste = {1};
    Open_comm(*b.porta, b.st, b.messaggi);
    EXPECT_FALSE(b.st.invio_seriale);
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_EQ(b.messaggi.mostrati[0].testo, "Porta COM1 non disponibile");
    EXPECT_EQ(b.messaggi.mostrati[0].titolo, "Hopa");
    EXPECT_EQ(b.messaggi.mostrati[0].icona, Icona::Esclamazione);
}

TEST(Protocollo, LeAtteseFinisconoAlTimeoutERipristinanoLaPorta) {
    BancoSeriale b;
    b.st.connesso = true;  // arriving bytes are left to the waits
    auto& p = b.c->protocollo();
    ASSERT_FALSE(b.porta->apri().has_value());
    b.porta->lunghezza = 7;
    b.porta->modo = ModoIngresso::Testo;

    const int32_t t0 = b.orologio.adesso;
    EXPECT_EQ(p.leggi_byte(), 0);
    EXPECT_GE(b.orologio.adesso - t0, 500);
    EXPECT_LE(b.orologio.adesso - t0, 500 + 50);
    EXPECT_EQ(b.timer->scatti, 1) << "the reply timer ended the wait";
    EXPECT_FALSE(b.timer->abilitato());
    EXPECT_TRUE(p.attesa_scaduta);
    EXPECT_EQ(b.porta->lunghezza, 7);
    EXPECT_EQ(b.porta->modo, ModoIngresso::Testo);

    b.porta->ingresso = "?YE";  // fewer than asked: they stay for a later read
    EXPECT_EQ(p.leggi_byte_n(4), QByteArray(1, '\0'));
    EXPECT_EQ(b.porta->ingresso, "?YE");
    EXPECT_EQ(p.leggi_byte(), '?');
    EXPECT_EQ(b.porta->ingresso, "YE");

    b.porta->ingresso.clear();
    b.porta->ricevi_dopo("?YES!");  // arrives while the wait processes events
    const int32_t t1 = b.orologio.adesso;
    EXPECT_EQ(p.leggi_byte_n(4), "?YES");
    EXPECT_LT(b.orologio.adesso - t1, 100);
    EXPECT_EQ(b.porta->ingresso, "!");
    EXPECT_EQ(b.porta->lunghezza, 7);

    p.svuota_ingresso();
    EXPECT_TRUE(b.porta->ingresso.isEmpty());
    EXPECT_EQ(b.porta->lunghezza, 7);
}

TEST(Protocollo, UnaAttesaSenzaTimerFinisceComunque) {
    BancoSeriale b;
    auto& p = b.c->protocollo();
    b.timer->imposta_intervallo(0);
    // A timer that never fires (stopped by someone else): the wait still ends.
    b.timer->al_tick = nullptr;
    const int32_t t0 = b.orologio.adesso;
    EXPECT_EQ(p.leggi_byte(), 0);
    EXPECT_LE(b.orologio.adesso - t0, 500 + 300);
}

TEST(Protocollo, RilevamentoRiuscito) {
    BancoSeriale b;
    SchedaSerialeFinta scheda(*b.porta);
    b.porta->numero = 3;
    b.porta->ingresso = "vecchi byte";
    const int32_t t0 = b.orologio.adesso;
    EXPECT_TRUE(b.c->protocollo().trova_scheda());
    EXPECT_GE(b.orologio.adesso - t0, 1000);
    EXPECT_TRUE(b.porta->aperta());
    EXPECT_TRUE(b.porta->dtr);
    EXPECT_TRUE(b.porta->rts);
    EXPECT_EQ(b.porta->scritto, "$?");
    EXPECT_EQ(b.st.testo_connessione(), " connesso su com3");
    EXPECT_EQ(b.archivio.leggi("Properties", "CommPort", ""), "3");
    EXPECT_TRUE(b.st.connesso);
}

TEST(Protocollo, RilevamentoFallitoSuRispostaSbagliataCortaOAssente) {
    for (const QByteArray& risposta : {QByteArray("?NO!"), QByteArray("?YE"), QByteArray("?yes"), QByteArray()}) {
        BancoSeriale b;
        SchedaSerialeFinta scheda(*b.porta);
        scheda.risposta = risposta;
        const int32_t t0 = b.orologio.adesso;
        EXPECT_FALSE(b.c->protocollo().trova_scheda()) << risposta.constData();
        EXPECT_EQ(b.st.testo_connessione(), " non connesso");
        EXPECT_FALSE(b.archivio.contiene("Properties", "CommPort"));
        if (risposta.size() < 4) EXPECT_GE(b.orologio.adesso - t0, 1000 + 500);
    }
    BancoSeriale muto;
    SchedaSerialeFinta scheda(*muto.porta);
    scheda.muta = true;
    const int32_t t0 = muto.orologio.adesso;
    EXPECT_FALSE(muto.c->protocollo().trova_scheda());
    EXPECT_GE(muto.orologio.adesso - t0, 1000 + 500 + 500);
    EXPECT_LE(muto.orologio.adesso - t0, 1000 + 500 + 500 + 100);
}

TEST(Protocollo, ResetTieneBassiDtrERtsPer200ms) {
    BancoSeriale b;
    b.st.connesso = true;
    ASSERT_FALSE(b.porta->apri().has_value());
    b.porta->ingresso = "abc";
    b.porta->linee.clear();
    b.porta->ricevi_dopo("durante");
    b.c->reset_linee();
    ASSERT_EQ(b.porta->linee.size(), 4u);
    const auto& l = b.porta->linee;
    EXPECT_EQ(l[0].linea, 'D');
    EXPECT_FALSE(l[0].on);
    EXPECT_EQ(l[1].linea, 'R');
    EXPECT_FALSE(l[1].on);
    EXPECT_EQ(l[2].linea, 'D');
    EXPECT_TRUE(l[2].on);
    EXPECT_EQ(l[3].linea, 'R');
    EXPECT_TRUE(l[3].on);
    EXPECT_GE(l[2].quando - l[1].quando, 200);
    EXPECT_GE(b.orologio.adesso - l[3].quando, 200);
    EXPECT_TRUE(b.porta->ingresso.isEmpty()) << "bytes from before and during the reset are gone";
}

TEST(Protocollo, AvvioConEchiGiusti) {
    BancoSeriale b;
    b.st.connesso = true;
    SchedaSerialeFinta scheda(*b.porta);
    Open_comm(*b.porta, b.st, b.messaggi);
    b.porta->ingresso = "resti";
    EXPECT_TRUE(b.c->avvia_acquisizione());
    EXPECT_EQ(b.porta->scritto, "$S");
    EXPECT_TRUE(b.st.acquisizione);
    EXPECT_TRUE(b.st.scarta_primo);
    EXPECT_TRUE(b.st.avvio_hid);
    EXPECT_EQ(b.porta->lunghezza, 4);
    EXPECT_EQ(b.porta->soglia, 8);
    EXPECT_EQ(b.porta->modo, ModoIngresso::Binario);
    EXPECT_TRUE(b.messaggi.mostrati.empty());
}

TEST(Protocollo, AvvioConEcoSbagliatoOAssente) {
    for (bool muta : {false, true}) {
        BancoSeriale b;
        SchedaSerialeFinta scheda(*b.porta);
        scheda.eco_s = "s";
        scheda.muta = muta;
        b.porta->numero = 4;
        b.st.connesso = true;
        Open_comm(*b.porta, b.st, b.messaggi);
        b.st.imposta_testo_connessione(" connesso su com4");
        EXPECT_FALSE(b.c->avvia_acquisizione());
        EXPECT_EQ(b.porta->scritto, muta ? "$" : "$S");
        EXPECT_FALSE(b.st.acquisizione);
        EXPECT_FALSE(b.st.scarta_primo);
        ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
        EXPECT_EQ(b.messaggi.mostrati[0].testo, "Scheda non connessa su com4");
        EXPECT_EQ(b.messaggi.mostrati[0].icona, Icona::Nessuna);
        EXPECT_EQ(b.st.testo_connessione(), " non connesso");
        ASSERT_FALSE(b.didascalie.empty());
        EXPECT_EQ(b.didascalie.back(), b.st.testo_versione + " non connesso");
    }
}

TEST(Protocollo, AvvioSenzaInvioSerialeEConLaSchedaSuHid) {
    BancoSeriale b;
    SchedaSerialeFinta scheda(*b.porta);
    ASSERT_FALSE(b.porta->apri().has_value());
    b.st.hid_connesso = true;
    b.porta->ingresso = "resti";
    EXPECT_TRUE(b.c->avvia_acquisizione());
    EXPECT_EQ(b.hid.inviati, std::vector<QByteArray>{"$S"});
    EXPECT_TRUE(b.porta->scritto.isEmpty());
    EXPECT_TRUE(b.porta->ingresso.isEmpty());
    EXPECT_TRUE(b.st.acquisizione && b.st.scarta_primo && b.st.avvio_hid);
}

TEST(Protocollo, StopManda21CoppieEFermaLAcquisizione) {
    BancoSeriale b;
    b.st.connesso = true;
    SchedaSerialeFinta scheda(*b.porta);
    Open_comm(*b.porta, b.st, b.messaggi);
    b.st.acquisizione = b.st.scarta_primo = true;
    b.c->arresta_acquisizione();
    EXPECT_EQ(b.porta->scritto, QByteArray("$T").repeated(21));
    EXPECT_FALSE(b.st.acquisizione);
    EXPECT_FALSE(b.st.scarta_primo);
    EXPECT_TRUE(b.hid.inviati.empty());

    BancoSeriale h;
    h.st.hid_connesso = true;
    h.st.acquisizione = true;
    h.c->arresta_acquisizione();
    EXPECT_EQ(h.hid.inviati, std::vector<QByteArray>{"$T"});
    EXPECT_FALSE(h.st.acquisizione);
}

TEST(Protocollo, StopSuUnaPortaSparitaNonAspetta21Timeout) {
    BancoSeriale b;
    Open_comm(*b.porta, b.st, b.messaggi);
    b.porta->chiudi();  // gone under us; invio_seriale still set
    const int32_t t0 = b.orologio.adesso;
    b.c->arresta_acquisizione();
    EXPECT_LT(b.orologio.adesso - t0, 600);
}
