#pragma once

#include "platform/libreria_hid.h"

#include <QByteArray>

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>

class QObject;

// Bookkeeping every HID library shares: the receiver, the handles and IDs of the
// devices, which of them have read notification on, and the input reports waiting
// for Read. Thread-safe: worker threads post through it, the UI thread reads.
class RegistroHid {
public:
    // Reports kept for Read at most; past that the oldest is dropped.
    static constexpr size_t massimo_report = 1024;
    // Unplugged handles whose IDs are still remembered.
    static constexpr size_t massimo_rimossi = 64;

    void imposta_ricevitore(QObject* ricevitore);
    // Forgets every device and waiting report (after a Disconnect).
    void svuota();

    // A device arrived: a new handle, announced to the receiver.
    ManigliaHid inserisci(uint16_t vendor_id, uint16_t product_id);
    // A device left: announced, its waiting reports kept, its IDs remembered.
    void rimuovi(ManigliaHid maniglia);
    void annuncia_cambio();

    bool presente(ManigliaHid maniglia) const;
    int vendor_id(ManigliaHid maniglia) const;
    int product_id(ManigliaHid maniglia) const;
    ManigliaHid trova(int vendor_id, int product_id) const;

    void imposta_notifica_lettura(ManigliaHid maniglia, bool attiva);
    bool notifica_lettura(ManigliaHid maniglia) const;
    // A report arrived from this device: kept and announced when its read
    // notification is on, dropped otherwise. Returns whether it was kept.
    bool consegna_report(ManigliaHid maniglia, const QByteArray& report);
    // The oldest waiting report of this device.
    bool preleva_report(ManigliaHid maniglia, QByteArray& report);

private:
    struct Dispositivo {
        uint16_t vendor_id = 0;
        uint16_t product_id = 0;
        bool presente = true;
        bool notifica = false;
    };
    void posta(int codice, ManigliaHid maniglia);  // with mutex_ held

    mutable std::mutex mutex_;
    QObject* ricevitore_ = nullptr;
    ManigliaHid ultima_ = 0;
    std::map<ManigliaHid, Dispositivo> dispositivi_;
    std::deque<ManigliaHid> rimossi_;
    std::deque<std::pair<ManigliaHid, QByteArray>> report_;
};
