#include "banco_seriale.h"
#include "board/apertura_porta.h"
#include "board/frm_seriale.h"

#include <gtest/gtest.h>

namespace {
// A link with the board found and acquisition started, as after Button_On.
struct InAcquisizione : BancoSeriale {
    InAcquisizione() {
        scheda.emplace(*porta);
        st.connesso = true;
        Open_comm(*porta, st, messaggi);
        EXPECT_TRUE(c->avvia_acquisizione());
        porta->scritto.clear();
    }
    std::optional<SchedaSerialeFinta> scheda;
};
}  // namespace

TEST(Ricezione, IlPrimoFrameDopoLAvvioVaButtato) {
    InAcquisizione b;
    b.porta->ricevi(b.frame(300000, 500000) + "xx");
    EXPECT_EQ(b.prova.numero(), 0);
    EXPECT_FALSE(b.st.scarta_primo);
    EXPECT_TRUE(b.porta->ingresso.isEmpty()) << "thrown away with everything else waiting";
    b.porta->ricevi(b.frame(300000, 500000));
    ASSERT_EQ(b.prova.numero(), 1);
    EXPECT_EQ(b.prova.salti()[1].t_contatto, 300);
    EXPECT_EQ(b.prova.salti()[1].t_volo, 500);
    EXPECT_EQ(b.osservata.completati, std::vector<int32_t>{1});
}

TEST(Ricezione, FrameDecodificatiConIlVoloMinimo) {
    InAcquisizione b;
    b.porta->ricevi(b.frame(1, 1));  // the discarded one
    const uint8_t esempio[8] = {0x00, 0x04, 0x93, 0xE0, 0x00, 0x07, 0xA1, 0x20};
    b.porta->ricevi(QByteArray(reinterpret_cast<const char*>(esempio), 8));
    b.porta->ricevi(b.frame(100000, 20400));   // 20 ms: merged
    b.porta->ricevi(b.frame(100000, 20600));   // 21 ms: a jump
    b.porta->ricevi(b.frame(150000, 15000));
    b.porta->ricevi(b.frame(120000, 400000));
    b.porta->ricevi(b.frame(-5000, -1));       // negative: merged, not rejected
    b.porta->ricevi(b.frame(2500, 1500000));
    ASSERT_EQ(b.prova.numero(), 4);
    EXPECT_EQ(b.prova.salti()[1].t_contatto, 300);
    EXPECT_EQ(b.prova.salti()[1].t_volo, 500);
    EXPECT_EQ(b.prova.salti()[2].t_contatto, 100 + 20 + 100);
    EXPECT_EQ(b.prova.salti()[2].t_volo, 21);
    EXPECT_EQ(b.prova.salti()[3].t_contatto, 150 + 15 + 120);
    EXPECT_EQ(b.prova.salti()[3].t_volo, 400);
    EXPECT_EQ(b.prova.salti()[4].t_contatto, -5 + 0 + 2);  // 2500 us rounds to 2 (ties to even)
    EXPECT_EQ(b.prova.salti()[4].t_volo, 1500);
}

TEST(Ricezione, UnEventoLeggeOgniFrameInteroEIlRestoAspetta) {
    InAcquisizione b;
    b.porta->ricevi(b.frame(1, 1));
    b.porta->ingresso = b.frame(200000, 400000) + b.frame(210000, 410000) + "abc";
    b.c->ricezione().evento(EventoPorta::Altro);  // other events of the port do nothing
    EXPECT_EQ(b.prova.numero(), 0);
    b.c->ricezione().evento(EventoPorta::DatiRicevuti);
    ASSERT_EQ(b.prova.numero(), 2);
    EXPECT_EQ(b.prova.salti()[2].t_volo, 410);
    EXPECT_EQ(b.porta->ingresso, "abc");  // never half a frame
    b.c->ricezione().evento(EventoPorta::DatiRicevuti);
    EXPECT_EQ(b.prova.numero(), 2);
    EXPECT_EQ(b.porta->lunghezza, 4);

    // A long burst is taken in slices, so the window keeps answering in between.
    QByteArray raffica;
    for (int i = 0; i < 300; ++i) raffica += b.frame(200000, 400000);
    b.porta->ingresso = raffica;
    b.c->ricezione().evento(EventoPorta::DatiRicevuti);
    EXPECT_EQ(b.prova.numero(), 2 + 256);
    b.c->ricezione().evento(EventoPorta::DatiRicevuti);
    EXPECT_EQ(b.prova.numero(), 2 + 300);
}

TEST(Ricezione, ConnessoMaFermoLasciaIByteAlProtocollo) {
    BancoSeriale b;
    b.st.connesso = true;
    ASSERT_FALSE(b.porta->apri().has_value());
    b.porta->ricevi(b.frame(300000, 500000));
    EXPECT_EQ(b.prova.numero(), 0);
    EXPECT_EQ(b.porta->ingresso.size(), 8);
    EXPECT_FALSE(b.c->finestra_esiste());
}

TEST(Ricezione, DatiSenzaSchedaAvvianoUnRilevamento) {
    BancoSeriale b;
    SchedaSerialeFinta scheda(*b.porta);
    b.porta->numero = 2;
    ASSERT_FALSE(b.porta->apri().has_value());
    bool visibile_durante = false;
    int rilevamenti = 0;
    scheda.porta.risponditore = [&, r = scheda.porta.risponditore](const QByteArray& x) {
        if (x == "$") {
            ++rilevamenti;
            visibile_durante = b.c->finestra_esiste() && b.c->finestra()->isVisible();
        }
        r(x);
    };
    // More data while the detection pauses, before it has set connesso.
    QTimer::singleShot(0, [&] { b.porta->ricevi(b.frame(1, 2)); });
    b.porta->ricevi(b.frame(300000, 500000));
    EXPECT_EQ(rilevamenti, 1) << "no second detection from inside the first";
    EXPECT_TRUE(visibile_durante);
    EXPECT_TRUE(b.st.connesso);
    EXPECT_EQ(b.prova.numero(), 0) << "the bytes are not decoded";
    EXPECT_EQ(b.st.testo_connessione(), " connesso su com2");
    ASSERT_FALSE(b.didascalie.empty());
    EXPECT_EQ(b.didascalie.back(), b.st.testo_versione + " connesso su com2");
    EXPECT_EQ(b.beep.suonati, 1);
    EXPECT_FALSE(b.c->finestra()->isVisible());
}

TEST(Ricezione, DatiArrivatiDuranteLaPrimaPausaDelRilevamentoNonNeAvvianoUnAltro) {
    BancoSeriale b;
    SchedaSerialeFinta scheda(*b.porta);
    ASSERT_FALSE(b.porta->apri().has_value());
    // Bytes arrive during the 1000 ms pause, before connesso is set.
    QTimer::singleShot(0, [&] { b.porta->ricevi("rumore"); });
    EXPECT_TRUE(b.c->protocollo().trova_scheda());
    EXPECT_EQ(scheda.ricevuti, "$?");
}
