#include "files/lettura_in_disparte.h"

#include "core/pausa.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <atomic>
#include <chrono>
#include <memory>
#include <new>
#include <system_error>
#include <thread>

namespace {

// What the reader and the waiter share. The reader may outlive the wait (past
// the deadline), so both hold it.
struct Condiviso {
    std::atomic<int> massimo{-1};
    std::atomic<int> valore{-1};
    std::atomic<bool> finita{false};
    EsitoLettura esito;  // written by the reader before `finita`, read after it
};

EsitoLettura leggi_protetto(const std::function<EsitoLettura(const Avanzamento&)>& lettura, const Avanzamento& a) {
    try {
        return lettura(a);
    } catch (const std::bad_alloc&) {
        return EsitoLettura::con_errore(QStringLiteral("memoria insufficiente"));
    } catch (...) {
        return EsitoLettura::con_errore(QStringLiteral("errore imprevisto durante la lettura"));
    }
}

// The reader's progress, handed on where it changed.
class Riporto {
public:
    Riporto(const Condiviso& c, const Avanzamento& a) : c_(c), a_(a) {}
    void aggiorna() {
        if (const int n = c_.massimo.load(std::memory_order_relaxed); n != massimo_) a_.imposta_massimo(massimo_ = n);
        if (const int k = c_.valore.load(std::memory_order_relaxed); k != valore_) a_.imposta_valore(valore_ = k);
    }

private:
    const Condiviso& c_;
    const Avanzamento& a_;
    int massimo_ = -1;
    int valore_ = -1;
};

}  // namespace

std::optional<EsitoLettura> leggi_in_disparte(std::function<EsitoLettura(const Avanzamento&)> lettura,
                                              const Avanzamento& avanzamento, int scadenza_ms) {
    auto c = std::make_shared<Condiviso>();
    const Avanzamento del_lettore{[c](int n) { c->massimo.store(n, std::memory_order_relaxed); },
                                  [c](int k) { c->valore.store(k, std::memory_order_relaxed); }};
    auto l = std::make_shared<const std::function<EsitoLettura(const Avanzamento&)>>(std::move(lettura));
    try {
        std::thread([c, l, del_lettore] {
            c->esito = leggi_protetto(*l, del_lettore);
            c->finita.store(true, std::memory_order_release);
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the read is done here, the window waiting.
        return leggi_protetto(*l, avanzamento);
    }

    const QDeadlineTimer scadenza(scadenza_ms);
    Riporto riporto(*c, avanzamento);
    PassoAttesa passo;
    while (!c->finita.load(std::memory_order_acquire)) {
        if (scadenza.hasExpired()) return std::nullopt;
        passo.esegui();
        // Without an application object a pass returns at once: no spinning.
        if (!QCoreApplication::instance()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        riporto.aggiorna();
    }
    riporto.aggiorna();
    return std::move(c->esito);
}
