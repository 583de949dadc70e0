// The program's beep, to be heard or recorded by hand (scripts/misura_beep).
//
//   suona-beep [N [INTERVALLO_MS]]     N beeps (5), one every INTERVALLO_MS (1000)
//   suona-beep --misura FILE [HZ]      the tones of a raw 16-bit mono recording
//                                      at HZ (44100): how many, how long
#include "adapters/qt/beep_audio.h"
#include "sim/suona-beep/misura_toni.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

int misura(const QString& percorso, int frequenza) {
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "suona-beep: %s non leggibile\n", qPrintable(percorso));
        return 1;
    }
    QList<double> durate = durate_toni_ms(f.readAll(), frequenza, 1000);
    std::printf("toni: %lld, durate (ms):", static_cast<long long>(durate.size()));
    for (double d : durate) std::printf(" %.1f", d);
    std::printf("\n");
    if (durate.isEmpty()) return 0;
    std::sort(durate.begin(), durate.end());
    std::printf("minimo %.1f ms, mediana %.1f ms, massimo %.1f ms\n", durate.first(), durate[durate.size() / 2],
                durate.last());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() > 2 && a[1] == QLatin1String("--misura"))
        return misura(a[2], a.size() > 3 ? a[3].toInt() : BeepAudio::frequenza_campionamento);
    const int n = a.size() > 1 ? a[1].toInt() : 5;
    const int intervallo = a.size() > 2 ? a[2].toInt() : 1000;
    BeepAudio beep;
    // Precise timers: a coarse one may fire two beeps of a long series together.
    for (int i = 0; i < n; ++i) QTimer::singleShot(500 + i * intervallo, Qt::PreciseTimer, &beep, [&beep] { beep.suona(); });
    // Long enough for the last beep to play and its sink to be released.
    QTimer::singleShot(500 + n * intervallo + 1500, &app, &QCoreApplication::quit);
    return app.exec();
}
