#pragma once

// The simulated serial board the benchmarks stream from: started as a child
// process, it prints the pseudo-terminal it serves on its first line.

#include "sim/modello_atleta.h"

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <vector>

// Writes the script board-sim plays ("--copione"), one "contact_us flight_us
// [pause_ms]" a line. The board's first frame is thrown away by design, so it and
// the next come after a pause of their own (50 ms); the rest at the line rate.
// False when the file cannot be written.
inline bool scrivi_copione(const QString& percorso, const std::vector<TempiSalto>& righe) {
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly)) return false;
    QTextStream out(&f);
    for (size_t i = 0; i < righe.size(); ++i) {
        out << righe[i].contatto_us << ' ' << righe[i].volo_us;
        const int pausa = i < 2 ? 50 : righe[i].pausa_ms;
        if (pausa >= 0) out << ' ' << pausa;
        out << '\n';
    }
    out.flush();
    return out.status() == QTextStream::Ok;
}

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
