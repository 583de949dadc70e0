#pragma once

// Fakes around the HID library: a device stack below the seam of accesso_hid.h
// (devices that come and go, reports to read, writes recorded), and a receiver
// that records the notifications it is posted.

#include "platform/accesso_hid.h"
#include "platform/libreria_hid.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class AccessoHidFinto : public AccessoHid {
public:
    struct Dispositivo {
        InfoDispositivoHid info;
        bool numerati = false;
        bool apribile = true;
        bool negato = false;  // not openable because of its permissions
        // What the next reads return: a report, or nothing for a read error.
        std::deque<std::optional<QByteArray>> da_leggere;
        std::vector<QByteArray> scritti;
        int aperture = 0;
    };

    void collega(const std::string& percorso, uint16_t vid, uint16_t pid, bool numerati = false) {
        std::lock_guard l(m_);
        auto& d = dispositivi_[percorso];
        d.info = {percorso, vid, pid};
        d.numerati = numerati;
        collegati_.push_back(percorso);
    }
    void scollega(const std::string& percorso) {
        std::lock_guard l(m_);
        collegati_.erase(std::remove(collegati_.begin(), collegati_.end(), percorso), collegati_.end());
    }
    // The listing names each device this many times (hidraw lists one entry per usage).
    void ripeti_voci(int volte) {
        std::lock_guard l(m_);
        ripetizioni_ = volte;
    }
    void accoda_report(const std::string& percorso, const QByteArray& r) {
        std::lock_guard l(m_);
        dispositivi_[percorso].da_leggere.push_back(r);
    }
    void accoda_errore(const std::string& percorso) {
        std::lock_guard l(m_);
        dispositivi_[percorso].da_leggere.push_back(std::nullopt);
    }
    void imposta_apribile(const std::string& percorso, bool si) {
        std::lock_guard l(m_);
        dispositivi_[percorso].apribile = si;
    }
    // Present, but this user may not open it.
    void nega_accesso(const std::string& percorso) {
        std::lock_guard l(m_);
        dispositivi_[percorso].apribile = false;
        dispositivi_[percorso].negato = true;
    }
    std::vector<QByteArray> scritti(const std::string& percorso) {
        std::lock_guard l(m_);
        return dispositivi_[percorso].scritti;
    }
    int aperture(const std::string& percorso) {
        std::lock_guard l(m_);
        return dispositivi_[percorso].aperture;
    }
    size_t da_leggere(const std::string& percorso) {
        std::lock_guard l(m_);
        return dispositivi_[percorso].da_leggere.size();
    }
    int elencazioni() {
        std::lock_guard l(m_);
        return elencazioni_;
    }

    std::vector<InfoDispositivoHid> elenca() override {
        std::lock_guard l(m_);
        ++elencazioni_;
        std::vector<InfoDispositivoHid> r;
        for (const auto& p : collegati_)
            for (int i = 0; i < ripetizioni_; ++i) r.push_back(dispositivi_[p].info);
        return r;
    }
    std::unique_ptr<CanaleHid> apri(const std::string& percorso) override;
    bool accesso_negato(const std::string& percorso) override {
        std::lock_guard l(m_);
        return collegato(percorso) && dispositivi_[percorso].negato;
    }

private:
    class Canale;
    bool collegato(const std::string& p) const {
        return std::find(collegati_.begin(), collegati_.end(), p) != collegati_.end();
    }
    std::mutex m_;
    std::map<std::string, Dispositivo> dispositivi_;
    std::vector<std::string> collegati_;
    int ripetizioni_ = 1;
    int elencazioni_ = 0;
};

class AccessoHidFinto::Canale : public CanaleHid {
public:
    Canale(AccessoHidFinto& a, std::string p, bool numerati) : a_(a), p_(std::move(p)), numerati_(numerati) {}
    int leggi(uint8_t* dati, size_t massimo, int timeout_ms) override {
        {
            std::lock_guard l(a_.m_);
            if (!a_.collegato(p_)) return -1;
            auto& coda = a_.dispositivi_[p_].da_leggere;
            if (!coda.empty()) {
                auto r = coda.front();
                coda.pop_front();
                if (!r) return -1;
                const size_t n = std::min<size_t>(massimo, r->size());
                std::memcpy(dati, r->constData(), n);
                return static_cast<int>(n);
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(timeout_ms, 2)));
        return 0;
    }
    int scrivi(const uint8_t* dati, size_t n) override {
        std::lock_guard l(a_.m_);
        if (!a_.collegato(p_)) return -1;
        a_.dispositivi_[p_].scritti.push_back(QByteArray(reinterpret_cast<const char*>(dati), n));
        return static_cast<int>(n);
    }
    bool report_numerati() const override { return numerati_; }

private:
    AccessoHidFinto& a_;
    std::string p_;
    bool numerati_;
};

inline std::unique_ptr<CanaleHid> AccessoHidFinto::apri(const std::string& percorso) {
    std::lock_guard l(m_);
    auto it = dispositivi_.find(percorso);
    if (it == dispositivi_.end() || !collegato(percorso) || !it->second.apribile) return nullptr;
    ++it->second.aperture;
    return std::make_unique<Canale>(*this, percorso, it->second.numerati);
}

// Records the notifications posted to it, with the time each was delivered.
class RicevitoreHidFinto : public QObject {
public:
    RicevitoreHidFinto() { orologio.start(); }
    struct Notifica {
        int codice;
        ManigliaHid maniglia;
        qint64 ms;
    };
    std::vector<Notifica> ricevute;
    QElapsedTimer orologio;
    int quante(int codice) const {
        return static_cast<int>(std::count_if(ricevute.begin(), ricevute.end(),
                                              [&](const Notifica& n) { return n.codice == codice; }));
    }
    std::vector<int> codici() const {
        std::vector<int> c;
        for (const auto& n : ricevute) c.push_back(n.codice);
        return c;
    }

protected:
    bool event(QEvent* e) override {
        if (e->type() == EventoNotificaHid::tipo) {
            auto* n = static_cast<EventoNotificaHid*>(e);
            ricevute.push_back({n->wParam, n->lParam, orologio.elapsed()});
            return true;
        }
        return QObject::event(e);
    }
};
