#include "adapters/serial/porta_seriale_qt.h"

#include "adapters/serial/dispositivi_seriali.h"
#include "adapters/serial/errori_seriali.h"

#include <QStringList>
#include <QTimer>

namespace {

struct Linea {
    qint32 velocita = 9600;
    QSerialPort::Parity parita = QSerialPort::NoParity;
    QSerialPort::DataBits dati = QSerialPort::Data8;
    QSerialPort::StopBits stop = QSerialPort::OneStop;
};

std::optional<Linea> leggi_linea(const QString& testo) {
    const QStringList p = testo.split(QLatin1Char(','));
    if (p.size() != 4) return std::nullopt;
    Linea l;
    bool ok = false;
    l.velocita = p[0].trimmed().toInt(&ok);
    if (!ok || l.velocita <= 0) return std::nullopt;
    const QString par = p[1].trimmed().toUpper();
    if (par == QLatin1String("N")) l.parita = QSerialPort::NoParity;
    else if (par == QLatin1String("E")) l.parita = QSerialPort::EvenParity;
    else if (par == QLatin1String("O")) l.parita = QSerialPort::OddParity;
    else if (par == QLatin1String("M")) l.parita = QSerialPort::MarkParity;
    else if (par == QLatin1String("S")) l.parita = QSerialPort::SpaceParity;
    else return std::nullopt;
    const int bit = p[2].trimmed().toInt(&ok);
    if (!ok || bit < 4 || bit > 8) return std::nullopt;
    // Four data bits exist on the old port layer; the nearest the device takes is five.
    l.dati = static_cast<QSerialPort::DataBits>(bit < 5 ? 5 : bit);
    const QString st = p[3].trimmed();
    if (st == QLatin1String("1")) l.stop = QSerialPort::OneStop;
    else if (st == QLatin1String("1.5")) l.stop = QSerialPort::OneAndHalfStop;
    else if (st == QLatin1String("2")) l.stop = QSerialPort::TwoStop;
    else return std::nullopt;
    return l;
}

}  // namespace

PortaSerialeQt::PortaSerialeQt(std::function<QString(int)> dispositivo, QObject* genitore)
    : QObject(genitore), dispositivo_(std::move(dispositivo)) {
    porta_.setObjectName(QStringLiteral("MSComm1"));
    connect(&porta_, &QSerialPort::readyRead, this, &PortaSerialeQt::dati_arrivati);
    connect(&porta_, &QSerialPort::errorOccurred, this, &PortaSerialeQt::errore);
}

PortaSerialeQt::~PortaSerialeQt() {
    al_evento = nullptr;
    if (porta_.isOpen()) porta_.close();
}

std::optional<ErrorePorta> PortaSerialeQt::imposta_numero_porta(int numero) {
    if (porta_.isOpen()) return ErrorePorta{errori_porta::porta_gia_aperta, QStringLiteral("Porta già aperta")};
    if (numero < 1 || numero > 16)
        return ErrorePorta{errori_porta::numero_non_valido, QStringLiteral("Numero di porta non valido")};
    numero_ = numero;
    riaprire_ = false;
    return std::nullopt;
}

std::optional<ErrorePorta> PortaSerialeQt::imposta_impostazioni(const QString& testo) {
    if (!leggi_linea(testo)) return ErrorePorta{errori_porta::valore_non_valido, QStringLiteral("Valore della proprietà non valido")};
    impostazioni_ = testo;
    if (porta_.isOpen()) applica_linea();
    return std::nullopt;
}

void PortaSerialeQt::imposta_handshaking(Handshaking h) {
    handshaking_ = h;
    if (porta_.isOpen()) applica_linea();
}

void PortaSerialeQt::applica_linea() {
    const Linea l = leggi_linea(impostazioni_).value_or(Linea{});
    porta_.setBaudRate(l.velocita);
    porta_.setParity(l.parita);
    porta_.setDataBits(l.dati);
    porta_.setStopBits(l.stop);
    porta_.setFlowControl(handshaking_ == Handshaking::Nessuno  ? QSerialPort::NoFlowControl
                          : handshaking_ == Handshaking::XonXoff ? QSerialPort::SoftwareControl
                                                                 : QSerialPort::HardwareControl);
    porta_.clearError();
}

std::optional<ErrorePorta> PortaSerialeQt::apri() {
    if (porta_.isOpen()) return ErrorePorta{errori_porta::porta_gia_aperta, QStringLiteral("Porta già aperta")};
    const QString dev = dispositivo_ ? dispositivo_(numero_) : QString();
    if (dev.isEmpty())
        return ErrorePorta{errori_porta::numero_non_valido, QStringLiteral("Numero di porta non valido")};
    porta_.setPortName(dev);
    if (!porta_.open(QIODevice::ReadWrite)) {
        const ErrorePorta e{porta_.error() == QSerialPort::DeviceNotFoundError ? errori_porta::numero_non_valido
                                                                               : errori_porta::porta_non_disponibile,
                            errori_seriali::descrizione_di_sistema(porta_.error(), dev)};
        porta_.clearError();
        return e;
    }
    riaprire_ = false;
    applica_linea();
    // The lines keep the state last asked for (a pty refuses them: not an error).
    porta_.setDataTerminalReady(dtr_);
    porta_.setRequestToSend(rts_);
    porta_.clearError();
    return std::nullopt;
}

void PortaSerialeQt::chiudi() {
    riaprire_ = false;
    if (porta_.isOpen()) porta_.close();
}

void PortaSerialeQt::imposta_dtr(bool on) {
    dtr_ = on;
    if (porta_.isOpen()) {
        porta_.setDataTerminalReady(on);
        porta_.clearError();
    }
}

void PortaSerialeQt::imposta_rts(bool on) {
    rts_ = on;
    // With hardware flow control the device drives RTS itself.
    if (porta_.isOpen() && porta_.flowControl() != QSerialPort::HardwareControl) {
        porta_.setRequestToSend(on);
        porta_.clearError();
    }
}

int PortaSerialeQt::byte_in_attesa() {
    return porta_.isOpen() ? static_cast<int>(porta_.bytesAvailable()) : 0;
}

QByteArray PortaSerialeQt::leggi_ingresso() {
    if (!porta_.isOpen()) return {};
    return lunghezza_ == 0 ? porta_.readAll() : porta_.read(lunghezza_);
}

void PortaSerialeQt::scrivi_uscita(const QByteArray& dati) {
    if (!porta_.isOpen() && riaprire_) apri();
    if (!porta_.isOpen() || dati.isEmpty()) return;
    porta_.write(dati);
}

void PortaSerialeQt::dati_arrivati() {
    if (!al_evento || soglia_ <= 0) return;
    qint64 prima = porta_.bytesAvailable();
    if (prima < soglia_) return;
    ++profondita_;
    al_evento(EventoPorta::DatiRicevuti);
    --profondita_;
    // A handler takes one record per event: when it took something and a full
    // threshold is still waiting, raise the event again from the event loop, so a
    // burst of records never waits for the next arrival.
    if (porta_.isOpen() && !controllo_in_coda_ && profondita_ == 0) {
        const qint64 dopo = porta_.bytesAvailable();
        if (dopo >= soglia_ && dopo < prima) {
            controllo_in_coda_ = true;
            QTimer::singleShot(0, this, [this] {
                controllo_in_coda_ = false;
                dati_arrivati();
            });
        }
    }
}

void PortaSerialeQt::errore(QSerialPort::SerialPortError e) {
    if (e == QSerialPort::NoError) return;
    if (e == QSerialPort::ResourceError || e == QSerialPort::ReadError) {
        // The device went away: the port stays "open" unless closed here. On a
        // pty whose other end closed, Qt 6.4 reports a ReadError on every pass
        // of the event loop instead of one ResourceError.
        porta_.clearError();
        if (!porta_.isOpen()) return;  // told already
        porta_.close();
        riaprire_ = true;
        if (al_evento) al_evento(EventoPorta::PortaPersa);
        return;
    }
    // Unsupported control lines on a pty, time-outs: not errors of the link.
    if (e == QSerialPort::UnsupportedOperationError || e == QSerialPort::TimeoutError) porta_.clearError();
}

std::unique_ptr<PortaSerialeQt> nuova_porta_di_sistema(std::function<QString()> forzato) {
    return std::make_unique<PortaSerialeQt>(
        [forzato = std::move(forzato)](int n) { return dispositivi_seriali::per_numero(n, forzato ? forzato() : QString()); });
}
