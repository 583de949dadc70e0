#include "platform/registro_hid.h"

#include <QCoreApplication>

#include <algorithm>

void RegistroHid::imposta_ricevitore(QObject* ricevitore) {
    std::lock_guard l(mutex_);
    ricevitore_ = ricevitore;
}

void RegistroHid::svuota() {
    std::lock_guard l(mutex_);
    dispositivi_.clear();
    rimossi_.clear();
    report_.clear();
}

void RegistroHid::posta(int codice, ManigliaHid maniglia) {
    // postEvent is thread-safe; the event runs on the receiver's thread. Qt drops
    // events still queued for a receiver that is destroyed.
    if (ricevitore_) QCoreApplication::postEvent(ricevitore_, new EventoNotificaHid(codice, maniglia));
}

ManigliaHid RegistroHid::inserisci(uint16_t vendor_id, uint16_t product_id) {
    std::lock_guard l(mutex_);
    const ManigliaHid h = ++ultima_;
    dispositivi_[h] = Dispositivo{vendor_id, product_id, true, false};
    posta(NOTIFICA_HID_INSERITO, h);
    return h;
}

void RegistroHid::rimuovi(ManigliaHid maniglia) {
    std::lock_guard l(mutex_);
    auto it = dispositivi_.find(maniglia);
    if (it == dispositivi_.end() || !it->second.presente) return;
    it->second.presente = false;
    it->second.notifica = false;
    rimossi_.push_back(maniglia);
    if (rimossi_.size() > massimo_rimossi) {
        dispositivi_.erase(rimossi_.front());
        rimossi_.pop_front();
    }
    posta(NOTIFICA_HID_RIMOSSO, maniglia);
}

void RegistroHid::annuncia_cambio() {
    std::lock_guard l(mutex_);
    posta(NOTIFICA_HID_CAMBIATO, 0);
}

bool RegistroHid::presente(ManigliaHid maniglia) const {
    std::lock_guard l(mutex_);
    auto it = dispositivi_.find(maniglia);
    return it != dispositivi_.end() && it->second.presente;
}

int RegistroHid::vendor_id(ManigliaHid maniglia) const {
    std::lock_guard l(mutex_);
    auto it = dispositivi_.find(maniglia);
    return it == dispositivi_.end() ? 0 : it->second.vendor_id;
}

int RegistroHid::product_id(ManigliaHid maniglia) const {
    std::lock_guard l(mutex_);
    auto it = dispositivi_.find(maniglia);
    return it == dispositivi_.end() ? 0 : it->second.product_id;
}

ManigliaHid RegistroHid::trova(int vendor_id, int product_id) const {
    std::lock_guard l(mutex_);
    for (const auto& [h, d] : dispositivi_)
        if (d.presente && d.vendor_id == vendor_id && d.product_id == product_id) return h;
    return 0;
}

void RegistroHid::imposta_notifica_lettura(ManigliaHid maniglia, bool attiva) {
    std::lock_guard l(mutex_);
    auto it = dispositivi_.find(maniglia);
    if (it != dispositivi_.end() && it->second.presente) it->second.notifica = attiva;
}

bool RegistroHid::notifica_lettura(ManigliaHid maniglia) const {
    std::lock_guard l(mutex_);
    auto it = dispositivi_.find(maniglia);
    return it != dispositivi_.end() && it->second.notifica;
}

bool RegistroHid::consegna_report(ManigliaHid maniglia, const QByteArray& report) {
    std::lock_guard l(mutex_);
    auto it = dispositivi_.find(maniglia);
    if (it == dispositivi_.end() || !it->second.notifica) return false;
    report_.emplace_back(maniglia, report);
    if (report_.size() > massimo_report) report_.pop_front();  // its notification then reads nothing
    posta(NOTIFICA_HID_LETTO, maniglia);
    return true;
}

bool RegistroHid::preleva_report(ManigliaHid maniglia, QByteArray& report) {
    std::lock_guard l(mutex_);
    auto it = std::find_if(report_.begin(), report_.end(), [&](const auto& r) { return r.first == maniglia; });
    if (it == report_.end()) return false;
    report = it->second;
    report_.erase(it);
    return true;
}
