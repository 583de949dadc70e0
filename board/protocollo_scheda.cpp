#include "board/protocollo_scheda.h"

#include "board/apertura_porta.h"
#include "board/invio_hid.h"
#include "core/impostazioni.h"
#include "core/pausa.h"
#include "core/stato_collegamento.h"
#include "platform/archivio_impostazioni.h"
#include "platform/dialoghi.h"
#include "platform/orologio.h"
#include "platform/porta_seriale.h"

namespace {
// A wait whose timer was stopped under it still ends this long after its time-out.
constexpr int64_t margine_ms = 250;
constexpr int ripetizioni_stop = 21;
}  // namespace

ProtocolloScheda::ProtocolloScheda(StatoCollegamento& stato, PortaSeriale& porta, ArchivioImpostazioni& archivio,
                                   Messaggi& messaggi, const ContatoreTick& contatore, Temporizzatore& timer,
                                   InvioHid* hid)
    : stato_(stato), porta_(porta), archivio_(archivio), messaggi_(messaggi), contatore_(contatore), timer_(timer),
      hid_(hid) {
    timer_.al_tick = [this] { attesa_scaduta = true; };
}

void ProtocolloScheda::invia_comando(const QByteArray& comando) {
    if (stato_.hid_connesso && hid_) hid_->HID_invia_stringa(comando);
    invia_seriale(comando);
}

void ProtocolloScheda::invia_seriale(const QByteArray& b) {
    if (stato_.invio_seriale) porta_.scrivi_uscita(b);
}

void ProtocolloScheda::svuota_ingresso() {
    const int lunghezza = porta_.lunghezza_lettura();
    porta_.imposta_lunghezza_lettura(0);
    (void)porta_.leggi_ingresso();
    porta_.imposta_lunghezza_lettura(lunghezza);
}

QByteArray ProtocolloScheda::attendi(int n) {
    const ModoIngresso modo = porta_.modo_ingresso();
    const int lunghezza = porta_.lunghezza_lettura();
    porta_.imposta_modo_ingresso(ModoIngresso::Binario);
    porta_.imposta_lunghezza_lettura(n);
    timer_.imposta_intervallo(timeout_risposta);
    timer_.abilita(true);
    attesa_scaduta = false;

    QByteArray risultato;
    const int32_t inizio = contatore_.tick_ms();
    PassoAttesa passo;
    while (!attesa_scaduta) {
        if (porta_.byte_in_attesa() >= n) {
            risultato = porta_.leggi_ingresso();
            attesa_scaduta = true;
            break;
        }
        passo.esegui();
        const int64_t trascorso = int64_t{contatore_.tick_ms()} - inizio;
        if (trascorso < 0 || trascorso > timeout_risposta + margine_ms) attesa_scaduta = true;
    }
    timer_.abilita(false);
    porta_.imposta_modo_ingresso(modo);
    porta_.imposta_lunghezza_lettura(lunghezza);
    if (risultato.size() != n) return QByteArray(1, '\0');
    return risultato;
}

uint8_t ProtocolloScheda::leggi_byte() { return static_cast<uint8_t>(attendi(1).at(0)); }

QByteArray ProtocolloScheda::leggi_byte_n(int n) { return attendi(n < 1 ? 1 : n); }

bool ProtocolloScheda::trova_scheda() {
    struct Guardia {
        int& n;
        explicit Guardia(int& c) : n(c) { ++n; }
        ~Guardia() { --n; }
    } guardia(rilevamento_);

    Open_comm(porta_, stato_, messaggi_);
    porta_.imposta_dtr(true);
    porta_.imposta_rts(true);
    pausa(1000, contatore_);
    bool risultato = false;
    svuota_ingresso();
    timeout_risposta = 500;
    stato_.connesso = true;  // no detection starts from the receive event meanwhile
    invia_comando(QByteArrayLiteral("$"));
    (void)leggi_byte();
    invia_comando(QByteArrayLiteral("?"));
    const QString risposta = byte_in_stringa(leggi_byte_n(4));
    if (risposta == QLatin1String("?YES")) {
        risultato = true;
        const QString n = QString::number(porta_.numero_porta());
        stato_.imposta_testo_connessione(QStringLiteral(" connesso su com") + n);
        archivio_.scrivi(chiavi::proprieta, chiavi::comm_port, n);
    }
    return risultato;
}

void ProtocolloScheda::reset_linee() {
    porta_.imposta_dtr(false);
    porta_.imposta_rts(false);
    svuota_ingresso();
    pausa(200, contatore_);
    porta_.imposta_dtr(true);
    porta_.imposta_rts(true);
    pausa(200, contatore_);
    svuota_ingresso();
}

bool ProtocolloScheda::avvia_acquisizione() {
    svuota_ingresso();
    if (stato_.hid_connesso && hid_) hid_->HID_invia_stringa(QByteArrayLiteral("$S"));
    if (!stato_.invio_seriale) {
        stato_.acquisizione = stato_.scarta_primo = stato_.avvio_hid = true;
        return true;
    }
    invia_seriale(QByteArrayLiteral("$"));
    if (leggi_byte_n(1) == QByteArrayLiteral("$")) {
        invia_seriale(QByteArrayLiteral("S"));
        if (leggi_byte_n(1) == QByteArrayLiteral("S")) {
            porta_.imposta_lunghezza_lettura(4);
            porta_.imposta_soglia_ricezione(8);
            porta_.imposta_modo_ingresso(ModoIngresso::Binario);
            stato_.acquisizione = stato_.scarta_primo = stato_.avvio_hid = true;
            return true;
        }
    }
    // The port went away during the wait: the link has told the loss already.
    if (!stato_.invio_seriale) return false;
    messaggi_.mostra(QStringLiteral("Scheda non connessa su com") + QString::number(porta_.numero_porta()),
                     titolo_applicazione, Icona::Nessuna);
    stato_.imposta_testo_connessione(QStringLiteral(" non connesso"));
    return false;
}

void ProtocolloScheda::arresta_acquisizione() {
    stato_.scarta_primo = false;
    stato_.acquisizione = false;
    if (stato_.hid_connesso && hid_) hid_->HID_invia_stringa(QByteArrayLiteral("$T"));
    if (!stato_.invio_seriale) return;
    for (int i = 0; i < ripetizioni_stop; ++i) {
        invia_seriale(QByteArrayLiteral("$"));
        // A port that went away (and could not be reopened) answers nothing: do
        // not wait 21 time-outs for it.
        if (!porta_.aperta()) break;
        (void)leggi_byte();
        invia_seriale(QByteArrayLiteral("T"));
        (void)leggi_byte();
    }
}
