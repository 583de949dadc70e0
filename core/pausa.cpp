#include "core/pausa.h"

#include "platform/orologio.h"

#include <QCoreApplication>
#include <QEventLoop>

PassoAttesa::PassoAttesa(int massimo_ms) {
    if (!QCoreApplication::instance()) return;  // no event loop: nothing to wait for
    sveglia_.setTimerType(Qt::PreciseTimer);
    sveglia_.setInterval(massimo_ms);
    sveglia_.start();
}

void PassoAttesa::esegui() {
    // With no application object (a program that only drives the logic) there are no
    // events to process: the pass returns at once and the caller's clock decides.
    if (!QCoreApplication::instance()) return;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void pausa(float ms, const ContatoreTick& contatore) {
    const int32_t inizio = contatore.tick_ms();
    const float scadenza = static_cast<float>(inizio) + ms;
    if (!(static_cast<double>(inizio) < static_cast<double>(scadenza))) return;  // 0, negative or NaN
    PassoAttesa passo;
    int32_t ultimo = inizio;
    for (;;) {
        passo.esegui();
        const int32_t adesso = contatore.tick_ms();
        if (adesso < ultimo) return;  // the counter wrapped
        ultimo = adesso;
        if (!(static_cast<double>(adesso) < static_cast<double>(scadenza))) return;
    }
}
