#pragma once

#include "platform/accesso_hid.h"
#include "platform/libreria_hid.h"
#include "platform/registro_hid.h"

#include <QObject>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// The HID library on the seam of accesso_hid.h (hidapi in the program).
//
// Arrival and removal: the device list is enumerated at Connect, on the calling
// thread, so an attached board is announced before Connect returns; after that a
// watcher thread enumerates again and posts plugged / unplugged for what the
// comparison with the last listing shows, then one changed. It enumerates at
// once when the hot-plug source reports a device come or gone, and every
// `periodo_ms` otherwise; with a hot-plug source that works the period only
// backs it up and stretches to periodo_con_eventi_ms. Devices are opened only
// when they are needed: on SetReadNotify(true) or on a WriteEx. Each open device
// has a worker thread that reads its input reports (and sends the queued output
// reports), so neither reading nor writing ever blocks the UI thread. A device
// this user may not open is reported once per arrival through al_accesso_negato.
class LibreriaHidSuAccesso : public LibreriaHid {
public:
    explicit LibreriaHidSuAccesso(std::unique_ptr<AccessoHid> accesso, int periodo_ms = periodo_predefinito_ms,
                                  std::unique_ptr<SorgenteEventiHid> eventi = nullptr);
    ~LibreriaHidSuAccesso() override;

    bool Connect(QObject* ricevitore) override;
    bool Disconnect() override;
    int GetVendorID(ManigliaHid maniglia) override;
    int GetProductID(ManigliaHid maniglia) override;
    ManigliaHid GetHandle(int vendor_id, int product_id) override;
    void SetReadNotify(ManigliaHid maniglia, bool attiva) override;
    bool Read(ManigliaHid maniglia, QByteArray& BufferIn) override;
    void WriteEx(int vendor_id, int product_id, const BufferUscitaHid& BufferOut) override;

    // Enumerates now instead of at the next period (a hint that something changed).
    void sveglia();

    // Enumeration period with no hot-plug events: a board is seen well within
    // 100 ms (an enumeration costs well under a millisecond).
    static constexpr int periodo_predefinito_ms = 50;
    // The period behind a working hot-plug source, in case an event is missed.
    static constexpr int periodo_con_eventi_ms = 1000;
    // How long the listener waits for a hot-plug event before it looks for a stop.
    static constexpr int attesa_eventi_ms = 100;
    // How long a worker waits for a report before it looks at its output queue.
    static constexpr int attesa_lettura_ms = 20;
    // Pause before a device that failed to open or to read is tried again.
    static constexpr int pausa_riprova_ms = 500;

private:
    struct Lavoratore;
    void scansiona();
    Lavoratore* assicura_lavoratore(ManigliaHid maniglia);  // with mutex_ held
    void ferma_lavoratore(ManigliaHid maniglia);
    void lavora(Lavoratore& l, std::stop_token fermo);
    void osserva(std::stop_token fermo);
    void ascolta(std::stop_token fermo);
    void segnala_accesso_negato(const std::string& percorso);

    std::unique_ptr<AccessoHid> accesso_;
    const int periodo_ms_;
    std::unique_ptr<SorgenteEventiHid> eventi_;
    int periodo_attuale_ms_;
    QObject contesto_;  // lives on the UI thread: what workers hand over to it runs there
    RegistroHid registro_;
    bool connessa_ = false;

    std::mutex scansione_;  // one enumeration at a time
    std::mutex mutex_;      // the maps below
    std::map<std::string, ManigliaHid> noti_;
    std::map<ManigliaHid, std::string> percorsi_;
    std::map<ManigliaHid, std::unique_ptr<Lavoratore>> lavoratori_;

    std::mutex attesa_;
    std::condition_variable_any sveglia_cv_;
    bool svegliato_ = false;
    std::jthread osservatore_;
    std::jthread ascoltatore_;
};
