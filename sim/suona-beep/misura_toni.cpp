#include "sim/suona-beep/misura_toni.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

QList<double> durate_toni_ms(const QByteArray& campioni, int frequenza, int soglia) {
    QList<double> durate;
    const qsizetype n = campioni.size() / 2;
    const qsizetype ponte = frequenza / 200;
    qsizetype inizio = -1, ultimo = -1;
    for (qsizetype i = 0; i < n; ++i) {
        int16_t v;
        std::memcpy(&v, campioni.constData() + 2 * i, 2);
        if (std::abs(int(v)) <= soglia) continue;
        if (inizio >= 0 && i - ultimo > ponte) {
            durate.append(1000.0 * double(ultimo - inizio) / frequenza);
            inizio = -1;
        }
        if (inizio < 0) inizio = i;
        ultimo = i;
    }
    if (inizio >= 0) durate.append(1000.0 * double(ultimo - inizio) / frequenza);
    return durate;
}
