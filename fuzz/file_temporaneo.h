#pragma once

// The readers of workbooks take a path: each input is written to one file of
// this process, rewritten for every run.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

inline QString file_di_prova(const uint8_t* dati, size_t n, const char* estensione) {
    static const QString percorso =
        QDir::tempPath() + QStringLiteral("/hopa_fuzz_%1.%2").arg(getpid()).arg(QLatin1String(estensione));
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    if (f.write(reinterpret_cast<const char*>(dati), static_cast<qint64>(n)) != static_cast<qint64>(n)) std::abort();
    f.close();
    return percorso;
}
