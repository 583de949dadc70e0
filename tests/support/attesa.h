#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

// Processes events until `fatto` holds or `ms` pass; returns whether it held.
inline bool attendi(const std::function<bool()>& fatto, int ms = 3000) {
    QElapsedTimer t;
    t.start();
    while (!fatto()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}
