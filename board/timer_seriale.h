#pragma once

#include "platform/orologio.h"

#include <QTimer>

// The protocol's reply timer, a named QTimer behind the timer interface.
class TimerSeriale : public Temporizzatore {
public:
    TimerSeriale() {
        timer_.setObjectName(QStringLiteral("Timer_Seriale"));
        timer_.setTimerType(Qt::PreciseTimer);  // a reply wait never ends early
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
