#pragma once

#include <QTimer>

class ContatoreTick;

// One pass of a wait that keeps the program alive: processes the pending events,
// sleeping until the next event but never longer than a few milliseconds, so a
// loop of passes re-checks its condition often and can never be left hanging.
// Without an application object a pass returns at once.
class PassoAttesa {
public:
    explicit PassoAttesa(int massimo_ms = 2);
    void esegui();

private:
    QTimer sveglia_;
};

// Waits at least `ms` milliseconds while processing events. The deadline is the
// tick counter plus `ms`, held in a 32-bit float; the wait ends when the counter
// is no longer below it. A counter that jumps backwards (it wrapped) also ends
// the wait, so a wait begun just before the wrap cannot last for weeks.
void pausa(float ms, const ContatoreTick& contatore);
