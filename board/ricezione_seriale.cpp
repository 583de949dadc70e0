#include "board/ricezione_seriale.h"

#include "board/decodifica.h"
#include "board/protocollo_scheda.h"
#include "core/stato_collegamento.h"
#include "platform/beep.h"

namespace {
constexpr int frame_per_evento = 256;
}  // namespace

RicezioneSeriale::RicezioneSeriale(StatoCollegamento& stato, const SessioneAtleta& sessione, ModelloProva& prova,
                                   PortaSeriale& porta, ProtocolloScheda& protocollo, Beep& beep)
    : stato_(stato), porta_(porta), protocollo_(protocollo), beep_(beep), assemblatore_(sessione, prova) {}

void RicezioneSeriale::evento(EventoPorta tipo) {
    if (tipo != EventoPorta::DatiRicevuti) return;
    if (!stato_.connesso) {
        // A detection already waiting (its first pause runs before connesso is
        // set) must not be started again from inside itself.
        if (protocollo_.rilevamento_in_corso()) return;
        if (mostra_finestra) mostra_finestra();
        stato_.connesso = protocollo_.trova_scheda();
        stato_.aggiorna_didascalia();
        beep_.suona();
        if (nascondi_finestra) nascondi_finestra();
        return;
    }
    if (!stato_.acquisizione) return;  // the protocol's waits read these bytes
    if (stato_.scarta_primo) {
        stato_.scarta_primo = false;
        protocollo_.svuota_ingresso();
        return;
    }
    decodifica();
}

void RicezioneSeriale::decodifica() {
    // Every whole frame waiting is decoded in this event (a burst costs one pass of
    // the event loop, one layout and one repaint, not one per frame); at most
    // `frame_per_evento`, so the window stays responsive, the rest raising the event
    // again. Never half a frame: it waits for its other bytes.
    for (int n = 0; n < frame_per_evento && stato_.acquisizione && porta_.byte_in_attesa() >= byte_frame_seriale; ++n) {
        const int lunghezza = porta_.lunghezza_lettura();
        porta_.imposta_lunghezza_lettura(byte_frame_seriale);
        const QByteArray frame = porta_.leggi_ingresso();
        porta_.imposta_lunghezza_lettura(lunghezza);
        if (frame.size() != byte_frame_seriale) return;
        const TempiScheda t = decodifica_frame(reinterpret_cast<const uint8_t*>(frame.constData()));
        assemblatore_.nuovi_tempi_us(t.contatto_us, t.volo_us);
    }
}
