#include "board/apertura_porta.h"

#include "core/impostazioni.h"
#include "core/numeri.h"
#include "core/stato_collegamento.h"
#include "platform/archivio_impostazioni.h"
#include "platform/dialoghi.h"

void Leggi_impostazioni(PortaSeriale& porta, const ArchivioImpostazioni& archivio) {
    const int n = numeri::arrotonda_i32(numeri::prefisso(archivio.leggi(chiavi::proprieta, chiavi::comm_port, QStringLiteral("1"))));
    if (!porta.aperta()) porta.imposta_numero_porta(n);
    porta.imposta_handshaking(Handshaking::Nessuno);
    porta.imposta_scarta_nulli(false);
    porta.imposta_impostazioni(QStringLiteral("19200,N,8,1"));
}

std::optional<ErrorePorta> apri_porta(PortaSeriale& porta, StatoCollegamento& stato) {
    auto e = porta.apri();
    if (e && e->codice != errori_porta::porta_gia_aperta) return e;
    if (!stato.hid_connesso) stato.invio_seriale = true;
    return std::nullopt;
}

void Open_comm(PortaSeriale& porta, StatoCollegamento& stato, Messaggi& messaggi) {
    if (auto e = apri_porta(porta, stato)) messaggi.mostra(e->descrizione, titolo_applicazione, Icona::Esclamazione);
}

void chiudi_porta(PortaSeriale& porta, StatoCollegamento& stato) {
    porta.chiudi();
    stato.invio_seriale = false;
}
