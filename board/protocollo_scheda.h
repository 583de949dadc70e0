#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

class ArchivioImpostazioni;
class ContatoreTick;
class InvioHid;
class Messaggi;
class PortaSeriale;
class Temporizzatore;
class StatoCollegamento;

// The board's command protocol: "$"-prefixed one-letter commands, the reply
// waits with their time-out, detection on the serial port, the reset of the
// board through the control lines, and the start and stop sequences.
// Every wait keeps processing events and ends at its time-out at the latest.
class ProtocolloScheda {
public:
    ProtocolloScheda(StatoCollegamento& stato, PortaSeriale& porta, ArchivioImpostazioni& archivio, Messaggi& messaggi,
                     const ContatoreTick& contatore, Temporizzatore& timer, InvioHid* hid);

    void imposta_hid(InvioHid* hid) { hid_ = hid; }

    // To the HID board while it is open, then to the serial port while invio_seriale.
    void invia_comando(const QByteArray& comando);
    // Throws away everything waiting on the serial port.
    void svuota_ingresso();
    // One byte, or 0 when the reply time-out struck first.
    uint8_t leggi_byte();
    // n bytes, or a single zero byte when the time-out struck first.
    QByteArray leggi_byte_n(int n);
    static QString byte_in_stringa(const QByteArray& b) { return QString::fromLatin1(b); }

    // Detection on the port now configured; true when the board answered "?YES".
    bool trova_scheda();
    bool rilevamento_in_corso() const { return rilevamento_ > 0; }

    // The reset of the board's serial line: both control lines low for 200 ms.
    void reset_linee();
    // From the emptying of the receive buffer on; true when acquisition started.
    bool avvia_acquisizione();
    void arresta_acquisizione();

    int timeout_risposta = 500;  // ms
    bool attesa_scaduta = false;

private:
    QByteArray attendi(int n);
    void invia_seriale(const QByteArray& b);

    StatoCollegamento& stato_;
    PortaSeriale& porta_;
    ArchivioImpostazioni& archivio_;
    Messaggi& messaggi_;
    const ContatoreTick& contatore_;
    Temporizzatore& timer_;
    InvioHid* hid_;
    int rilevamento_ = 0;
};
