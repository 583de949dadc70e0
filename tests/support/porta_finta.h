#pragma once

// A scriptable serial port and a clock whose timers fire as its time goes by,
// for the board link's unit tests.

#include "platform/orologio.h"
#include "platform/porta_seriale.h"

#include <QByteArray>
#include <QString>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

// Time moves `passo` ms at every read of the counter; armed timers fire when it
// passes their interval. Waits in the code under test thus end quickly and
// through their real time-out path.
class OrologioFinto : public ContatoreTick {
public:
    class Timer : public Temporizzatore {
    public:
        explicit Timer(OrologioFinto& o) : o_(o) { o_.timer_.push_back(this); }
        ~Timer() override { std::erase(o_.timer_, this); }
        void imposta_intervallo(int ms) override { intervallo_ = ms; }
        int intervallo() const override { return intervallo_; }
        void abilita(bool si) override {
            abilitato_ = si;
            scadenza_ = static_cast<int64_t>(o_.adesso) + intervallo_;
        }
        bool abilitato() const override { return abilitato_; }
        int scatti = 0;

    private:
        friend class OrologioFinto;
        OrologioFinto& o_;
        int intervallo_ = 0;
        bool abilitato_ = false;
        int64_t scadenza_ = 0;
    };

    int32_t tick_ms() const override {
        adesso += passo;
        for (Timer* t : timer_) {
            if (t->abilitato_ && t->intervallo_ > 0 && adesso >= t->scadenza_) {
                t->scadenza_ = static_cast<int64_t>(adesso) + t->intervallo_;
                ++t->scatti;
                if (t->al_tick) t->al_tick();
            }
        }
        return adesso;
    }

    mutable int32_t adesso = 1000;
    int32_t passo = 10;

private:
    std::vector<Timer*> timer_;
};

// The serial port in memory. Bytes the "board" sends are queued with ricevi()
// (an event raised at once, as when data arrive) or ricevi_dopo() (delivered
// from the event loop, as a real port does); what the code writes is in
// `scritto`, and `risponditore` may answer each write.
class PortaFinta : public PortaSeriale {
public:
    int numero_porta() const override { return numero; }
    std::optional<ErrorePorta> imposta_numero_porta(int n) override {
        if (aperta_) return ErrorePorta{errori_porta::porta_gia_aperta, QStringLiteral("Porta già aperta")};
        numero = n;
        return std::nullopt;
    }
    QString impostazioni() const override { return linea; }
    std::optional<ErrorePorta> imposta_impostazioni(const QString& t) override {
        linea = t;
        return std::nullopt;
    }
    Handshaking handshaking() const override { return handshaking_; }
    void imposta_handshaking(Handshaking h) override { handshaking_ = h; }
    void imposta_scarta_nulli(bool si) override { scarta_nulli = si; }
    std::optional<ErrorePorta> apri() override {
        ++aperture;
        if (aperta_) return ErrorePorta{errori_porta::porta_gia_aperta, QStringLiteral("Porta già aperta")};
        if (guaste.count(numero))
            return ErrorePorta{errori_porta::porta_non_disponibile, QStringLiteral("Porta COM%1 non disponibile").arg(numero)};
        aperta_ = true;
        return std::nullopt;
    }
    void chiudi() override { aperta_ = false; }
    bool aperta() const override { return aperta_; }
    void imposta_dtr(bool on) override {
        dtr = on;
        linee.push_back({'D', on, orologio ? orologio->adesso : 0});
    }
    void imposta_rts(bool on) override {
        rts = on;
        linee.push_back({'R', on, orologio ? orologio->adesso : 0});
    }
    int byte_in_attesa() override { return static_cast<int>(ingresso.size()); }
    int lunghezza_lettura() const override { return lunghezza; }
    void imposta_lunghezza_lettura(int n) override { lunghezza = n; }
    QByteArray leggi_ingresso() override {
        const int n = lunghezza == 0 ? static_cast<int>(ingresso.size()) : std::min<int>(lunghezza, ingresso.size());
        QByteArray r = ingresso.left(n);
        ingresso.remove(0, n);
        return r;
    }
    ModoIngresso modo_ingresso() const override { return modo; }
    void imposta_modo_ingresso(ModoIngresso m) override { modo = m; }
    void imposta_soglia_ricezione(int n) override { soglia = n; }
    int soglia_ricezione() const override { return soglia; }
    void scrivi_uscita(const QByteArray& b) override {
        if (!aperta_) return;
        scritto += b;
        if (risponditore) risponditore(b);
    }

    void ricevi(const QByteArray& b) {
        ingresso += b;
        if (soglia > 0 && ingresso.size() >= soglia && al_evento) al_evento(EventoPorta::DatiRicevuti);
    }
    // The device goes away: the port closes itself and says so, as a real one does.
    void perdi() {
        aperta_ = false;
        ingresso.clear();
        if (al_evento) al_evento(EventoPorta::PortaPersa);
    }
    void ricevi_dopo(const QByteArray& b) {
        QTimer::singleShot(0, [this, b] { ricevi(b); });
    }

    struct CambioLinea {
        char linea;  // 'D' DTR, 'R' RTS
        bool on;
        int32_t quando;
    };

    int numero = 1;
    QString linea = QStringLiteral("9600,N,8,1");
    Handshaking handshaking_ = Handshaking::RtsXonXoff;
    bool scarta_nulli = true;
    bool dtr = false, rts = false;
    int lunghezza = 0;
    ModoIngresso modo = ModoIngresso::Testo;
    int soglia = 1;
    int aperture = 0;
    std::set<int> guaste;  // port numbers that fail to open
    QByteArray ingresso, scritto;
    std::vector<CambioLinea> linee;
    std::function<void(const QByteArray&)> risponditore;
    const OrologioFinto* orologio = nullptr;

private:
    bool aperta_ = false;
};

// A board behind the fake port: echoes "$" and command letters, answers "?"
// with `risposta`; `eco_s` is what it echoes for "S". Replies arrive from the
// event loop. Ports not in `su_porte` (when not empty) stay silent.
struct SchedaSerialeFinta {
    explicit SchedaSerialeFinta(PortaFinta& p) : porta(p) {
        porta.risponditore = [this](const QByteArray& b) {
            if (!su_porte.empty() && !su_porte.count(porta.numero)) return;
            for (char c : b) {
                ricevuti += c;
                if (muta) continue;
                if (c == '?') porta.ricevi_dopo(risposta);
                else if (c == 'S') porta.ricevi_dopo(eco_s);
                else porta.ricevi_dopo(QByteArray(1, c));
            }
        };
    }
    PortaFinta& porta;
    QByteArray risposta = "?YES";
    QByteArray eco_s = "S";
    bool muta = false;
    std::set<int> su_porte;
    QByteArray ricevuti;
};
