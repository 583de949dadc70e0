#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QString>

class QObject;

// The system millisecond tick counter (signed 32-bit; it wraps).
class ContatoreTick {
public:
    virtual ~ContatoreTick() = default;
    virtual int32_t tick_ms() const = 0;
};

// The counter of this machine: milliseconds since the program started.
ContatoreTick& contatore_di_sistema();

// A window timer: fires `al_tick` every interval while enabled.
class Temporizzatore {
public:
    virtual ~Temporizzatore() = default;
    virtual void imposta_intervallo(int ms) = 0;
    virtual int intervallo() const = 0;
    virtual void abilita(bool si) = 0;
    virtual bool abilitato() const = 0;
    std::function<void()> al_tick;
};

// A timer on QTimer, owned by the caller. `nome` becomes the timer's object name;
// a precise timer never fires early (reply waits rely on that).
std::unique_ptr<Temporizzatore> nuovo_temporizzatore(QObject* genitore = nullptr, const QString& nome = {},
                                                     bool preciso = false);
