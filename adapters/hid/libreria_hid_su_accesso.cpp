#include "adapters/hid/libreria_hid_su_accesso.h"
#include "adapters/hid/hid_sistema.h"

#include "adapters/hid/avviso_accesso_hid.h"
#include "adapters/hid/report_hid.h"
#include "adapters/hid/sorgente_udev.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <vector>

struct LibreriaHidSuAccesso::Lavoratore {
    ManigliaHid maniglia = 0;
    std::string percorso;
    std::mutex mutex;
    std::condition_variable_any cv;
    std::deque<BufferUscitaHid> uscita;
    bool avvisato = false;  // its refused open was reported
    std::jthread filo;  // last: stopped and joined first when destroyed
};

LibreriaHidSuAccesso::LibreriaHidSuAccesso(std::unique_ptr<AccessoHid> accesso, int periodo_ms,
                                           std::unique_ptr<SorgenteEventiHid> eventi)
    : accesso_(std::move(accesso)),
      periodo_ms_(periodo_ms > 0 ? periodo_ms : periodo_predefinito_ms),
      eventi_(std::move(eventi)),
      periodo_attuale_ms_(periodo_ms_) {}

LibreriaHidSuAccesso::~LibreriaHidSuAccesso() { Disconnect(); }

bool LibreriaHidSuAccesso::Connect(QObject* ricevitore) {
    if (connessa_) Disconnect();
    registro_.imposta_ricevitore(ricevitore);
    scansiona();
    const bool con_eventi = eventi_ && eventi_->attiva();
    periodo_attuale_ms_ = con_eventi ? std::max(periodo_ms_, periodo_con_eventi_ms) : periodo_ms_;
    osservatore_ = std::jthread([this](std::stop_token fermo) { osserva(fermo); });
    if (con_eventi) ascoltatore_ = std::jthread([this](std::stop_token fermo) { ascolta(fermo); });
    connessa_ = true;
    return true;
}

bool LibreriaHidSuAccesso::Disconnect() {
    // No notification may be posted once this returns.
    registro_.imposta_ricevitore(nullptr);
    connessa_ = false;  // refused opens reported but not yet handed over are dropped
    for (std::jthread* t : {&ascoltatore_, &osservatore_}) {
        if (!t->joinable()) continue;
        t->request_stop();
        t->join();
    }
    std::map<ManigliaHid, std::unique_ptr<Lavoratore>> via;
    {
        std::lock_guard l(mutex_);
        via.swap(lavoratori_);
        noti_.clear();
        percorsi_.clear();
    }
    via.clear();  // joins the workers
    registro_.svuota();
    return true;
}

void LibreriaHidSuAccesso::osserva(std::stop_token fermo) {
    while (!fermo.stop_requested()) {
        {
            std::unique_lock l(attesa_);
            sveglia_cv_.wait_for(l, fermo, std::chrono::milliseconds(periodo_attuale_ms_),
                                 [this] { return svegliato_; });
            svegliato_ = false;
        }
        if (fermo.stop_requested()) return;
        scansiona();
    }
}

void LibreriaHidSuAccesso::ascolta(std::stop_token fermo) {
    while (!fermo.stop_requested())
        if (eventi_->attendi(attesa_eventi_ms)) sveglia();
}

void LibreriaHidSuAccesso::segnala_accesso_negato(const std::string& percorso) {
    QMetaObject::invokeMethod(
        &contesto_,
        [this, nodo = QString::fromStdString(percorso)] {
            if (connessa_ && al_accesso_negato) al_accesso_negato(avviso_accesso_hid(nodo));
        },
        Qt::QueuedConnection);
}

void LibreriaHidSuAccesso::sveglia() {
    {
        std::lock_guard l(attesa_);
        svegliato_ = true;
    }
    sveglia_cv_.notify_all();
}

void LibreriaHidSuAccesso::scansiona() {
    std::lock_guard s(scansione_);
    const std::vector<InfoDispositivoHid> elenco = accesso_->elenca();
    std::vector<std::string> noti;
    {
        std::lock_guard l(mutex_);
        for (const auto& [p, h] : noti_) noti.push_back(p);
    }
    const DiffDispositiviHid diff = confronta_dispositivi(noti, elenco);
    for (const auto& p : diff.partiti) {
        ManigliaHid h = 0;
        {
            std::lock_guard l(mutex_);
            h = noti_[p];
            noti_.erase(p);
            percorsi_.erase(h);
        }
        registro_.rimuovi(h);  // posts unplugged and stops its read notifications
        ferma_lavoratore(h);
    }
    for (const auto& d : diff.arrivati) {
        std::lock_guard l(mutex_);  // held so that the handle is known before anyone sees it
        const ManigliaHid h = registro_.inserisci(d.vendor_id, d.product_id);
        noti_[d.percorso] = h;
        percorsi_[h] = d.percorso;
    }
    if (!diff.vuoto()) registro_.annuncia_cambio();
}

LibreriaHidSuAccesso::Lavoratore* LibreriaHidSuAccesso::assicura_lavoratore(ManigliaHid maniglia) {
    auto p = percorsi_.find(maniglia);
    if (p == percorsi_.end()) return nullptr;
    auto& slot = lavoratori_[maniglia];
    if (!slot) {
        slot = std::make_unique<Lavoratore>();
        slot->maniglia = maniglia;
        slot->percorso = p->second;
        Lavoratore* lav = slot.get();
        slot->filo = std::jthread([this, lav](std::stop_token fermo) { lavora(*lav, fermo); });
    }
    return slot.get();
}

void LibreriaHidSuAccesso::ferma_lavoratore(ManigliaHid maniglia) {
    std::unique_ptr<Lavoratore> via;
    {
        std::lock_guard l(mutex_);
        auto it = lavoratori_.find(maniglia);
        if (it == lavoratori_.end()) return;
        via = std::move(it->second);
        lavoratori_.erase(it);
    }
    // Joined here, outside the lock.
}

void LibreriaHidSuAccesso::lavora(Lavoratore& l, std::stop_token fermo) {
    std::unique_ptr<CanaleHid> canale;
    std::vector<uint8_t> dati(4096);
    auto riposa = [&] {
        std::unique_lock g(l.mutex);
        l.cv.wait_for(g, fermo, std::chrono::milliseconds(pausa_riprova_ms), [] { return false; });
    };
    while (!fermo.stop_requested()) {
        if (!canale) canale = accesso_->apri(l.percorso);
        std::deque<BufferUscitaHid> da_scrivere;
        {
            std::lock_guard g(l.mutex);
            da_scrivere.swap(l.uscita);
        }
        if (!canale) {
            if (!l.avvisato && accesso_->accesso_negato(l.percorso)) {
                l.avvisato = true;
                segnala_accesso_negato(l.percorso);
            }
            riposa();  // what was to be written to a device that cannot be opened is dropped
            continue;
        }
        for (const auto& b : da_scrivere) canale->scrivi(b.data(), b.size());
        const int n = canale->leggi(dati.data(), dati.size(), attesa_lettura_ms);
        if (n > 0) {
            registro_.consegna_report(l.maniglia, impagina_report(dati.data(), n, canale->report_numerati()));
        } else if (n < 0) {
            // A failed read drops the report; the device is opened again after a pause
            // (if it is really gone, the next enumeration stops this worker).
            canale.reset();
            riposa();
        }
    }
}

int LibreriaHidSuAccesso::GetVendorID(ManigliaHid maniglia) { return registro_.vendor_id(maniglia); }

int LibreriaHidSuAccesso::GetProductID(ManigliaHid maniglia) { return registro_.product_id(maniglia); }

ManigliaHid LibreriaHidSuAccesso::GetHandle(int vendor_id, int product_id) {
    return registro_.trova(vendor_id, product_id);
}

void LibreriaHidSuAccesso::SetReadNotify(ManigliaHid maniglia, bool attiva) {
    registro_.imposta_notifica_lettura(maniglia, attiva);
    if (attiva && registro_.presente(maniglia)) {
        std::lock_guard l(mutex_);
        assicura_lavoratore(maniglia);
    }
}

bool LibreriaHidSuAccesso::Read(ManigliaHid maniglia, QByteArray& BufferIn) {
    return registro_.preleva_report(maniglia, BufferIn);
}

void LibreriaHidSuAccesso::WriteEx(int vendor_id, int product_id, const BufferUscitaHid& BufferOut) {
    const ManigliaHid h = registro_.trova(vendor_id, product_id);
    if (!h) return;
    std::lock_guard l(mutex_);  // the worker cannot be stopped meanwhile
    Lavoratore* lav = assicura_lavoratore(h);
    if (!lav) return;
    std::lock_guard g(lav->mutex);
    lav->uscita.push_back(BufferOut);
}

std::unique_ptr<LibreriaHid> nuova_libreria_hid_di_sistema() {
    return std::make_unique<LibreriaHidSuAccesso>(nuovo_accesso_hidapi(), LibreriaHidSuAccesso::periodo_predefinito_ms,
                                                  nuova_sorgente_udev());
}
