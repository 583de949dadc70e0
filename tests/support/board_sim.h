#pragma once

// The simulated serial board as a child process on a pseudo-terminal.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "adapters/serial/porta_seriale_qt.h"
#include "platform/archivio_impostazioni.h"

#include <memory>

// A serial port of this system whose every number reaches the device stored under
// "Properties"/"PortPath", read at every open, as the program's own port does.
inline std::unique_ptr<PortaSerialeQt> porta_da_archivio(const ArchivioImpostazioni& archivio) {
    return nuova_porta_di_sistema(
        [&archivio] { return archivio.leggi(QStringLiteral("Properties"), QStringLiteral("PortPath"), QString()); });
}

inline const QString programma_board_sim = QStringLiteral(HOPA_BINARI "/sim/board-sim/board-sim");

// Writes a board script (lines "contact_us flight_us [pause_ms]") into `d`; gives its path.
inline QString scrivi_copione(QTemporaryDir& d, const QByteArray& righe) {
    static int numero = 0;
    const QString f = d.filePath(QStringLiteral("copione%1.txt").arg(++numero));
    QFile file(f);
    if (file.open(QIODevice::WriteOnly)) file.write(righe);
    return f;
}

struct Sim {
    explicit Sim(QStringList argomenti) {
        p.setProgram(programma_board_sim);
        p.setArguments(argomenti);
        p.start();
        if (!p.waitForStarted(3000)) return;
        QElapsedTimer t;
        t.start();
        while (!p.canReadLine() && t.elapsed() < 3000) p.waitForReadyRead(100);
        percorso = QString::fromLocal8Bit(p.readLine()).trimmed();
    }
    ~Sim() {
        if (p.state() != QProcess::NotRunning) {
            p.write("esci\n");
            if (!p.waitForFinished(1000)) p.kill();
            p.waitForFinished(1000);
        }
    }
    QString uscita() {
        visto += QString::fromLocal8Bit(p.readAllStandardOutput());
        return visto;
    }
    int righe(const QString& r) { return static_cast<int>(uscita().split('\n').count(r)); }
    // The board dies as a pulled cable would: no goodbye.
    void uccidi() {
        p.kill();
        p.waitForFinished(1000);
    }
    QProcess p;
    QString percorso;
    QString visto;
};
