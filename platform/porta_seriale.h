#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// Error codes of the serial port layer, with the error's description.
namespace errori_porta {
constexpr int valore_non_valido = 380;   // a line settings text the port cannot take
constexpr int numero_non_valido = 8002;  // no device stands for this port number
constexpr int porta_gia_aperta = 8005;   // the port is open already
constexpr int porta_non_disponibile = 8012;  // the device exists but cannot be opened
}  // namespace errori_porta

struct ErrorePorta {
    int codice = 0;
    QString descrizione;
};

enum class ModoIngresso { Testo, Binario };
enum class Handshaking { Nessuno = 0, XonXoff = 1, Rts = 2, RtsXonXoff = 3 };
// PortaPersa: the device went away under an open port (unplugged, the far end
// closed); the port has closed itself and is told once.
enum class EventoPorta { DatiRicevuti, Altro, PortaPersa };

// The serial port as the board link uses it. Port numbers are 1-based.
class PortaSeriale {
public:
    virtual ~PortaSeriale() = default;

    virtual int numero_porta() const = 0;
    // Fails with porta_gia_aperta while the port is open.
    virtual std::optional<ErrorePorta> imposta_numero_porta(int numero) = 0;

    // Line settings such as "19200,N,8,1" (speed, parity letter, data bits, stop bits).
    virtual QString impostazioni() const = 0;
    virtual std::optional<ErrorePorta> imposta_impostazioni(const QString& testo) = 0;

    virtual Handshaking handshaking() const = 0;
    virtual void imposta_handshaking(Handshaking h) = 0;
    virtual void imposta_scarta_nulli(bool si) = 0;

    // Opening an open port fails with porta_gia_aperta.
    virtual std::optional<ErrorePorta> apri() = 0;
    virtual void chiudi() = 0;
    virtual bool aperta() const = 0;

    virtual void imposta_dtr(bool on) = 0;
    virtual void imposta_rts(bool on) = 0;

    // Received bytes waiting in the input buffer.
    virtual int byte_in_attesa() = 0;
    // How many bytes one read returns; 0 means all.
    virtual int lunghezza_lettura() const = 0;
    virtual void imposta_lunghezza_lettura(int n) = 0;
    // Up to the read length of the waiting bytes (nothing when closed).
    virtual QByteArray leggi_ingresso() = 0;
    virtual ModoIngresso modo_ingresso() const = 0;
    virtual void imposta_modo_ingresso(ModoIngresso m) = 0;
    // A DatiRicevuti event is raised when at least this many bytes are waiting; 0: never.
    virtual void imposta_soglia_ricezione(int n) = 0;
    virtual int soglia_ricezione() const = 0;
    virtual void scrivi_uscita(const QByteArray& dati) = 0;

    // The port's events, raised on the user-interface thread.
    std::function<void(EventoPorta)> al_evento;
};
