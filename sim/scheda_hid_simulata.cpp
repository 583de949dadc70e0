#include "sim/scheda_hid_simulata.h"

#include <algorithm>

SchedaHidSimulata::SchedaHidSimulata(SorgenteSalti sorgente, uint16_t vendor_id, uint16_t product_id)
    : sorgente_(std::move(sorgente)), vendor_id_(vendor_id), product_id_(product_id) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { invia_in_attesa(); });
}

SchedaHidSimulata::~SchedaHidSimulata() { Disconnect(); }

void SchedaHidSimulata::inserisci() {
    if (inserita_) return;
    inserita_ = true;
    if (!connessa_) return;
    scheda_ = registro_.inserisci(vendor_id_, product_id_);
    registro_.annuncia_cambio();
}

void SchedaHidSimulata::rimuovi() {
    if (!inserita_) return;
    inserita_ = false;
    ferma();
    if (!scheda_) return;
    registro_.rimuovi(scheda_);
    scheda_ = 0;
    registro_.annuncia_cambio();
}

int SchedaHidSimulata::inserisci_dispositivo(uint16_t vendor_id, uint16_t product_id) {
    Dispositivo d{vendor_id, product_id, true, 0};
    if (connessa_) d.maniglia = registro_.inserisci(vendor_id, product_id);
    altri_.push_back(d);
    if (connessa_) registro_.annuncia_cambio();
    return static_cast<int>(altri_.size()) - 1;
}

void SchedaHidSimulata::rimuovi_dispositivo(int numero) {
    if (numero < 0 || numero >= static_cast<int>(altri_.size()) || !altri_[numero].inserito) return;
    Dispositivo& d = altri_[numero];
    d.inserito = false;
    if (!d.maniglia) return;
    registro_.rimuovi(d.maniglia);
    d.maniglia = 0;
    registro_.annuncia_cambio();
}

ManigliaHid SchedaHidSimulata::maniglia_dispositivo(int numero) const {
    if (numero < 0 || numero >= static_cast<int>(altri_.size())) return 0;
    return altri_[numero].maniglia;
}

bool SchedaHidSimulata::invia_report(const QByteArray& report) {
    if (!scheda_) return false;
    return registro_.consegna_report(scheda_, report);
}

bool SchedaHidSimulata::invia_report_da(int numero, const QByteArray& report) {
    const ManigliaHid h = maniglia_dispositivo(numero);
    return h && registro_.consegna_report(h, report);
}

QByteArray SchedaHidSimulata::report_tempi(uint32_t contatto_us, uint32_t volo_us) {
    QByteArray r(10, '\0');
    for (int i = 0; i < 4; ++i) {
        r[2 + i] = static_cast<char>((contatto_us >> (8 * i)) & 0xFF);
        r[6 + i] = static_cast<char>((volo_us >> (8 * i)) & 0xFF);
    }
    return r;
}

void SchedaHidSimulata::imposta_sorgente(SorgenteSalti sorgente) {
    sorgente_ = std::move(sorgente);
    in_attesa_.reset();
    if (in_misura_) programma_prossimo();
}

bool SchedaHidSimulata::Connect(QObject* ricevitore) {
    if (connessa_) Disconnect();
    registro_.imposta_ricevitore(ricevitore);
    connessa_ = true;
    bool qualcuno = false;
    if (inserita_) {
        scheda_ = registro_.inserisci(vendor_id_, product_id_);
        qualcuno = true;
    }
    for (auto& d : altri_) {
        if (!d.inserito) continue;
        d.maniglia = registro_.inserisci(d.vendor_id, d.product_id);
        qualcuno = true;
    }
    if (qualcuno) registro_.annuncia_cambio();
    return true;
}

bool SchedaHidSimulata::Disconnect() {
    registro_.imposta_ricevitore(nullptr);
    registro_.svuota();
    connessa_ = false;
    scheda_ = 0;
    for (auto& d : altri_) d.maniglia = 0;
    // The board keeps measuring, as a real one would; its reports reach nobody.
    return true;
}

int SchedaHidSimulata::GetVendorID(ManigliaHid maniglia) { return registro_.vendor_id(maniglia); }

int SchedaHidSimulata::GetProductID(ManigliaHid maniglia) { return registro_.product_id(maniglia); }

ManigliaHid SchedaHidSimulata::GetHandle(int vendor_id, int product_id) {
    return registro_.trova(vendor_id, product_id);
}

void SchedaHidSimulata::SetReadNotify(ManigliaHid maniglia, bool attiva) {
    registro_.imposta_notifica_lettura(maniglia, attiva);
}

bool SchedaHidSimulata::Read(ManigliaHid maniglia, QByteArray& BufferIn) {
    return registro_.preleva_report(maniglia, BufferIn);
}

void SchedaHidSimulata::WriteEx(int vendor_id, int product_id, const BufferUscitaHid& BufferOut) {
    // Addressed by IDs, as the real library: the first plugged device with them.
    const ManigliaHid h = registro_.trova(vendor_id, product_id);
    if (!h || h != scheda_) return;
    ricevuti_.push_back(BufferOut);
    if (BufferOut[1] != '$') return;
    if (BufferOut[2] == 'S') avvia();
    else if (BufferOut[2] == 'T') ferma();
}

void SchedaHidSimulata::avvia() {
    in_misura_ = true;
    if (!timer_.isActive()) programma_prossimo();
}

void SchedaHidSimulata::ferma() {
    in_misura_ = false;
    timer_.stop();
    in_attesa_.reset();
}

void SchedaHidSimulata::programma_prossimo() {
    in_attesa_ = sorgente_.prossimo();
    if (!in_attesa_) {  // the script has ended
        in_misura_ = false;
        timer_.stop();
        return;
    }
    const TempiSalto& t = *in_attesa_;
    const int64_t reale = std::max<int64_t>(0, t.contatto_us + t.volo_us) / 1000;
    timer_.start(t.pausa_ms >= 0 ? t.pausa_ms : static_cast<int>(std::min<int64_t>(reale, 60000)));
}

void SchedaHidSimulata::invia_in_attesa() {
    if (!in_misura_ || !in_attesa_) return;
    const TempiSalto t = *in_attesa_;
    if (scheda_) ++inviati_;
    invia_report(report_tempi(static_cast<uint32_t>(t.contatto_us), static_cast<uint32_t>(t.volo_us)));
    programma_prossimo();
}
