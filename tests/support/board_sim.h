#pragma once

// The simulated serial board as a child process on a pseudo-terminal.

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

inline const QString programma_board_sim = QStringLiteral(HOPA_BINARI "/sim/board-sim/board-sim");

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
    QProcess p;
    QString percorso;
    QString visto;
};
