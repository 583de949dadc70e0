#pragma once

// The simulated serial board the benchmarks stream from: started as a child
// process, it prints the pseudo-terminal it serves on its first line.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdio>

// Starts board-sim with these arguments; the device to open, or empty (with a
// line on standard error) when it did not start.
inline QString avvia_board_sim(QProcess& sim, const QStringList& argomenti) {
    sim.start(QStringLiteral(HOPA_BOARD_SIM), argomenti);
    if (!sim.waitForStarted(3000) || !sim.waitForReadyRead(3000)) {
        std::fprintf(stderr, "board-sim non parte\n");
        return {};
    }
    return QString::fromLocal8Bit(sim.readLine()).trimmed();
}
