#include "files/scrittore_archivio.h"

#include "files/file_durevole.h"
#include "files/giornali_prove.h"
#include "platform/errori_file.h"

#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

namespace {

using Orologio = std::chrono::steady_clock;
// What was written is on the disk at most this long after.
constexpr auto intervallo_sync = std::chrono::milliseconds(100);
// A disk operation running longer than this: the caller stops writing itself.
constexpr auto disco_lento = std::chrono::milliseconds(300);

struct Comando {
    enum class Tipo { Nuova, Prepara, Salto, Elimina, Finisci, Ferma };
    explicit Comando(Tipo t) : tipo(t) {}
    Tipo tipo;
    TestataArchivio testata;
    QString cartella;
    std::vector<Salto> salti;
    int32_t k = 0;
    Salto salto;
    bool scritto = false;  // a jump line the caller already wrote
    QByteArray riga;       // a jump line the thread is to write
};

}  // namespace

struct ScrittoreArchivio::Stato {
    QString registro;

    std::mutex m;
    std::condition_variable cv;
    std::deque<Comando> coda;
    int bloccanti = 0;  // queued or running commands that must reach the file before a caller's line
    bool sporco = false;  // written since the last sync
    bool rotto = false;   // a caller's write failed, for this reason:
    QString motivo_rotto;
    file_durevole::Aggiunta file;  // the open journal; the caller writes to it only under `m`
    bool finito = false;
    std::condition_variable cv_finito;

    std::atomic<int64_t> inizio_operazione{0};  // steady ns of the disk operation running, 0 for none
    std::atomic<int64_t> sincronizzazioni{0}, scritti_subito{0}, scritti_dopo{0};

    std::mutex m_avviso;
    std::function<void(const QString&, const QString&)> al_guasto;

    bool lento() const {
        const int64_t i = inizio_operazione.load();
        return i != 0 && Orologio::now().time_since_epoch().count() - i >
                             std::chrono::duration_cast<Orologio::duration>(disco_lento).count();
    }
    void accoda(Comando c) {
        {
            std::lock_guard l(m);
            if (!c.scritto) ++bloccanti;
            coda.push_back(std::move(c));
        }
        cv.notify_one();
    }
};

// The thread's side: the current test as it stands, its files and their state.
class ScrittoreArchivio::Lavoro {
public:
    explicit Lavoro(Stato& s) : s_(s) {}

    // True for the command that stops the thread.
    bool esegui(Comando& c) {
        QString rotto;  // why a caller's write failed, when one did
        {
            std::lock_guard l(s_.m);
            if (std::exchange(s_.rotto, false)) rotto = s_.motivo_rotto;
        }
        if (!rotto.isEmpty()) guasto(rotto);
        bool fine = false;
        using T = Comando::Tipo;
        switch (c.tipo) {
            case T::Nuova:
                finisci();
                p_ = Prova{};
                p_.testata = c.testata;
                p_.cartella = c.cartella;
                p_.salti = std::move(c.salti);
                segnalato_ = false;
                break;
            case T::Prepara:
                if (p_.stato == Prova::Assente) {
                    p_.testata = c.testata;
                    p_.cartella = c.cartella;
                    crea();
                }
                break;
            case T::Salto:
                if (c.k >= 1 && static_cast<size_t>(c.k) <= p_.salti.size() + 1) p_.salti.resize(static_cast<size_t>(c.k) - 1);
                p_.salti.push_back(c.salto);
                if (p_.stato != Prova::Aperta) crea();
                else if (!c.scritto && appendi(c.riga)) ++s_.scritti_dopo;
                break;
            case T::Elimina:
                formato_archivio::elimina(p_.salti, c.k);
                if (p_.stato == Prova::Aperta) appendi(formato_archivio::riga_eliminazione(c.k));
                else if (p_.stato == Prova::Finita) riscrivi_csv();
                break;
            case T::Finisci: finisci(); break;
            case T::Ferma:
                finisci();
                fine = true;
                break;
        }
        if (!c.scritto) {
            std::lock_guard l(s_.m);
            --s_.bloccanti;
        }
        return fine;
    }

    // Syncs when something was written and the last sync is old enough; gives
    // when the next one is due (none: nothing to sync).
    std::optional<Orologio::time_point> sincronizza_se_dovuto() {
        {
            std::lock_guard l(s_.m);
            if (!s_.sporco || !s_.file.aperta()) return std::nullopt;
            if (Orologio::now() < ultimo_sync_ + intervallo_sync) return ultimo_sync_ + intervallo_sync;
            s_.sporco = false;
        }
        QString motivo;
        bool presente = false;
        {
            Operazione op(s_);
            if (!s_.file.sincronizza()) motivo = errori_file::descrizione(errno);
            presente = QFileInfo::exists(giornale());
        }
        ultimo_sync_ = Orologio::now();
        ++s_.sincronizzazioni;
        if (!motivo.isEmpty()) guasto(motivo);
        else if (!presente) crea();  // the folder or the file was removed: the whole test again
        return std::nullopt;
    }

private:
    struct Prova {
        TestataArchivio testata;
        QString cartella;
        std::vector<Salto> salti;
        enum { Assente, Aperta, Finita, Guasta } stato = Assente;
        QString base;  // folder/name of its files, once it has some
    };

    // Marks a disk operation as running, for the caller's slowness check.
    struct Operazione {
        explicit Operazione(Stato& s) : s_(s) { s_.inizio_operazione = Orologio::now().time_since_epoch().count(); }
        ~Operazione() { s_.inizio_operazione = 0; }
        Stato& s_;
    };

    QString giornale() const { return p_.base + giornali_prove::estensione_giornale; }

    void chiudi_file() {
        file_durevole::Aggiunta vecchio;
        {
            std::lock_guard l(s_.m);
            s_.file.scambia(vecchio);
            s_.sporco = false;
        }
        vecchio.chiudi();
    }

    // The journal of the whole test as it stands, then open for appending.
    void crea() {
        Operazione op(s_);
        chiudi_file();
        QString motivo;
        if (!file_durevole::crea_cartella(p_.cartella, &motivo)) return guasto(motivo);
        const QString base = p_.base.isEmpty()
                                 ? giornali_prove::base_libera(
                                       p_.cartella, formato_archivio::nome_file(p_.testata.esercizio, p_.testata.quando))
                                 : p_.base;
        const QString g = base + giornali_prove::estensione_giornale;
        file_durevole::Aggiunta nuovo;
        if (!file_durevole::scrivi_atomico(g, formato_archivio::giornale(p_.testata, p_.salti), &motivo) ||
            !nuovo.apri(g, &motivo))
            return guasto(motivo);
        p_.base = base;
        p_.stato = Prova::Aperta;
        segnalato_ = false;
        ultimo_sync_ = Orologio::now();
        {
            std::lock_guard l(s_.m);
            s_.file.scambia(nuovo);
        }
        giornali_prove::aggiungi_al_registro(s_.registro, g);
    }

    bool appendi(const QByteArray& riga) {
        Operazione op(s_);
        if (!s_.file.scrivi(riga)) {
            guasto(errori_file::descrizione(errno));
            return false;
        }
        std::lock_guard l(s_.m);
        s_.sporco = true;
        return true;
    }

    void finisci() {
        if (p_.stato != Prova::Aperta && p_.stato != Prova::Guasta) return;
        Operazione op(s_);
        chiudi_file();
        QString motivo;
        if (p_.base.isEmpty()) {
            // The journal was never made: the test file is tried once more.
            if (p_.salti.empty()) {
                p_.stato = Prova::Assente;
                return;
            }
            if (!file_durevole::crea_cartella(p_.cartella, &motivo)) return guasto(motivo);
            p_.base = giornali_prove::base_libera(p_.cartella,
                                                  formato_archivio::nome_file(p_.testata.esercizio, p_.testata.quando));
            if (!file_durevole::scrivi_atomico(giornali_prove::csv_di(giornale()),
                                               formato_archivio::testo_csv(p_.testata, p_.salti), &motivo)) {
                p_.base.clear();
                return guasto(motivo);
            }
        } else if (!giornali_prove::completa(giornale(), p_.testata, p_.salti, s_.registro, &motivo)) {
            return guasto(motivo);
        }
        p_.stato = p_.salti.empty() ? Prova::Assente : Prova::Finita;
        if (p_.salti.empty()) p_.base.clear();
    }

    void riscrivi_csv() {
        Operazione op(s_);
        QString motivo;
        if (!file_durevole::scrivi_atomico(giornali_prove::csv_di(giornale()),
                                           formato_archivio::testo_csv(p_.testata, p_.salti), &motivo))
            guasto(motivo);
    }

    void guasto(const QString& motivo) {
        chiudi_file();
        p_.stato = Prova::Guasta;
        if (segnalato_) return;
        segnalato_ = true;
        std::lock_guard l(s_.m_avviso);
        if (s_.al_guasto) s_.al_guasto(p_.cartella, motivo);
    }

    Stato& s_;
    Prova p_;
    bool segnalato_ = false;
    Orologio::time_point ultimo_sync_{};
};

ScrittoreArchivio::ScrittoreArchivio(QString registro, std::function<void(const QString&, const QString&)> al_guasto)
    : s_(std::make_shared<Stato>()) {
    s_->registro = std::move(registro);
    s_->al_guasto = std::move(al_guasto);
    t_ = std::thread(&ScrittoreArchivio::ciclo, s_);
}

ScrittoreArchivio::~ScrittoreArchivio() {
    if (t_.joinable()) ferma(2000);
}

void ScrittoreArchivio::ciclo(std::shared_ptr<Stato> s) {
    Lavoro lavoro(*s);
    std::optional<Orologio::time_point> dovuto;
    for (bool fine = false; !fine;) {
        std::deque<Comando> lotto;
        {
            std::unique_lock l(s->m);
            while (s->coda.empty() && !(dovuto && Orologio::now() >= *dovuto)) {
                if (dovuto) s->cv.wait_until(l, *dovuto);
                else s->cv.wait(l);
            }
            lotto.swap(s->coda);
        }
        for (Comando& c : lotto) fine = lavoro.esegui(c) || fine;
        dovuto = lavoro.sincronizza_se_dovuto();
    }
    std::lock_guard l(s->m);
    s->finito = true;
    s->cv_finito.notify_all();
}

void ScrittoreArchivio::nuova(const TestataArchivio& testata, const QString& cartella, std::vector<Salto> salti) {
    Comando c(Comando::Tipo::Nuova);
    c.testata = testata;
    c.cartella = cartella;
    c.salti = std::move(salti);
    s_->accoda(std::move(c));
}

void ScrittoreArchivio::prepara(const TestataArchivio& testata, const QString& cartella) {
    Comando c(Comando::Tipo::Prepara);
    c.testata = testata;
    c.cartella = cartella;
    s_->accoda(std::move(c));
}

void ScrittoreArchivio::salto(int32_t k, const Salto& s) {
    Comando c(Comando::Tipo::Salto);
    c.k = k;
    c.salto = s;
    QByteArray riga = formato_archivio::riga_salto(k, s);
    {
        std::lock_guard l(s_->m);
        if (s_->file.aperta() && s_->bloccanti == 0 && !s_->rotto && !s_->lento()) {
            c.scritto = s_->file.scrivi(riga);
            if (c.scritto) {
                s_->sporco = true;
                ++s_->scritti_subito;
            } else {
                s_->rotto = true;
                s_->motivo_rotto = errori_file::descrizione(errno);
            }
        }
        if (!c.scritto) {
            ++s_->bloccanti;
            c.riga = std::move(riga);
        }
        s_->coda.push_back(std::move(c));
    }
    s_->cv.notify_one();
}

void ScrittoreArchivio::elimina(int32_t k) {
    Comando c(Comando::Tipo::Elimina);
    c.k = k;
    s_->accoda(std::move(c));
}

void ScrittoreArchivio::finisci() { s_->accoda(Comando(Comando::Tipo::Finisci)); }

bool ScrittoreArchivio::ferma(int ms) {
    if (!t_.joinable()) return true;
    s_->accoda(Comando(Comando::Tipo::Ferma));
    bool finito = false;
    {
        std::unique_lock l(s_->m);
        finito = s_->cv_finito.wait_for(l, std::chrono::milliseconds(ms), [this] { return s_->finito; });
    }
    {
        std::lock_guard l(s_->m_avviso);
        s_->al_guasto = nullptr;
    }
    if (finito) t_.join();
    else t_.detach();
    return finito;
}

ScrittoreArchivio::Conti ScrittoreArchivio::conti() const {
    return {s_->sincronizzazioni.load(), s_->scritti_subito.load(), s_->scritti_dopo.load()};
}
