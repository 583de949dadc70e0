#include "platform/orologio.h"

#include <QElapsedTimer>
#include <QTimer>

namespace {

class ContatoreSistema : public ContatoreTick {
public:
    ContatoreSistema() { t_.start(); }
    int32_t tick_ms() const override {
        // Wraps as the system counter does.
        return static_cast<int32_t>(static_cast<uint32_t>(t_.elapsed() & 0xffffffffLL));
    }

private:
    QElapsedTimer t_;
};

class TemporizzatoreQt : public Temporizzatore {
public:
    TemporizzatoreQt(QObject* genitore, const QString& nome, bool preciso) : timer_(genitore) {
        timer_.setObjectName(nome);
        if (preciso) timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (al_tick) al_tick();
        });
    }
    void imposta_intervallo(int ms) override { timer_.setInterval(ms); }
    int intervallo() const override { return timer_.interval(); }
    void abilita(bool si) override {
        if (si) timer_.start();
        else timer_.stop();
    }
    bool abilitato() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

}  // namespace

ContatoreTick& contatore_di_sistema() {
    static ContatoreSistema c;
    return c;
}

std::unique_ptr<Temporizzatore> nuovo_temporizzatore(QObject* genitore, const QString& nome, bool preciso) {
    return std::make_unique<TemporizzatoreQt>(genitore, nome, preciso);
}
