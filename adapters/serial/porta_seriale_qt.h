#pragma once

#include "platform/porta_seriale.h"

#include <QObject>
#include <QSerialPort>

#include <functional>
#include <memory>

// The serial port on QSerialPort. The device is asked of `dispositivo` at every
// open, so a changed mapping or override takes effect on the next open.
//
// On a pseudo-terminal the control lines cannot be set: that is ignored. When the
// other end goes away the port reports a resource (or read) error: it is closed
// here and EventoPorta::PortaPersa is raised once; the next open (or the next
// write, unless the link closed the port) opens it again.
class PortaSerialeQt : public QObject, public PortaSeriale {
    Q_OBJECT

public:
    explicit PortaSerialeQt(std::function<QString(int)> dispositivo, QObject* genitore = nullptr);
    ~PortaSerialeQt() override;

    int numero_porta() const override { return numero_; }
    std::optional<ErrorePorta> imposta_numero_porta(int numero) override;
    QString impostazioni() const override { return impostazioni_; }
    std::optional<ErrorePorta> imposta_impostazioni(const QString& testo) override;
    Handshaking handshaking() const override { return handshaking_; }
    void imposta_handshaking(Handshaking h) override;
    void imposta_scarta_nulli(bool si) override { scarta_nulli_ = si; }
    std::optional<ErrorePorta> apri() override;
    void chiudi() override;
    bool aperta() const override { return porta_.isOpen(); }
    void imposta_dtr(bool on) override;
    void imposta_rts(bool on) override;
    int byte_in_attesa() override;
    int lunghezza_lettura() const override { return lunghezza_; }
    void imposta_lunghezza_lettura(int n) override { lunghezza_ = n < 0 ? 0 : n; }
    QByteArray leggi_ingresso() override;
    ModoIngresso modo_ingresso() const override { return modo_; }
    void imposta_modo_ingresso(ModoIngresso m) override { modo_ = m; }
    void imposta_soglia_ricezione(int n) override { soglia_ = n < 0 ? 0 : n; }
    int soglia_ricezione() const override { return soglia_; }
    void scrivi_uscita(const QByteArray& dati) override;

    // The device opened last (or to be opened), for the status line.
    QString dispositivo_corrente() const { return dispositivo_(numero_); }
    // The device port number n stands for now ("" when none).
    QString dispositivo(int n) const { return dispositivo_(n); }

private:
    void dati_arrivati();
    void errore(QSerialPort::SerialPortError e);
    void applica_linea();

    std::function<QString(int)> dispositivo_;
    QSerialPort porta_;
    int numero_ = 1;
    QString impostazioni_ = QStringLiteral("9600,N,8,1");
    Handshaking handshaking_ = Handshaking::Nessuno;
    bool scarta_nulli_ = false;
    int lunghezza_ = 0;
    ModoIngresso modo_ = ModoIngresso::Testo;
    int soglia_ = 1;
    bool dtr_ = false, rts_ = false;
    bool riaprire_ = false;        // closed by a resource error: the next write reopens
    bool controllo_in_coda_ = false;
    int profondita_ = 0;
};

// The port of this system: port number n stands for the device
// dispositivi_seriali::per_numero gives for it, or for `forzato` when that text
// (asked at every open) is not empty.
std::unique_ptr<PortaSerialeQt> nuova_porta_di_sistema(std::function<QString()> forzato);
