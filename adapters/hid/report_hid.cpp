#include "adapters/hid/report_hid.h"

#include <algorithm>
#include <set>

QByteArray impagina_report(const uint8_t* dati, int lunghezza, bool report_numerati) {
    QByteArray r;
    if (lunghezza < 0) lunghezza = 0;
    r.reserve(lunghezza + 1);
    if (!report_numerati) r.append('\0');
    r.append(reinterpret_cast<const char*>(dati), lunghezza);
    return r;
}

bool descrittore_con_id_report(const QByteArray& descrittore) {
    const auto* d = reinterpret_cast<const uint8_t*>(descrittore.constData());
    const qsizetype n = descrittore.size();
    qsizetype i = 0;
    while (i < n) {
        const uint8_t prefisso = d[i];
        if (prefisso == 0xFE) {  // long item: size in the next byte, then tag, then data
            if (i + 1 >= n) break;
            i += 3 + d[i + 1];
            continue;
        }
        static constexpr int dimensioni[4] = {0, 1, 2, 4};
        const int dim = dimensioni[prefisso & 0x03];
        // Report ID: global item (type 1), tag 8.
        if ((prefisso & 0xFC) == 0x84 && i + dim < n) return true;
        i += 1 + dim;
    }
    return false;
}

DiffDispositiviHid confronta_dispositivi(const std::vector<std::string>& noti,
                                         const std::vector<InfoDispositivoHid>& attuali) {
    DiffDispositiviHid diff;
    const std::set<std::string> prima(noti.begin(), noti.end());
    std::set<std::string> visti;
    for (const auto& d : attuali) {
        if (!visti.insert(d.percorso).second) continue;
        if (!prima.count(d.percorso)) diff.arrivati.push_back(d);
    }
    for (const auto& p : noti)
        if (!visti.count(p)) diff.partiti.push_back(p);
    return diff;
}
