// Any bytes as the list file "hopa.ini": the athletes' row is emptied, nothing is
// invented (every entry read is a field of the file, and no more entries appear
// than the file has fields), and rows already there keep their entries.
#include "athletes/file_elenchi.h"
#include "core/cp1252.h"
#include "core/lettore_campi.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const QByteArray byte(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(n));
    RigheConfigurazione righe;
    righe[riga_squadra].voci = {QStringLiteral("gia_qui")};
    righe[riga_atleta].voci = {QStringLiteral("via")};
    file_elenchi::leggi(byte, righe);
    if (!righe[riga_atleta].voci.isEmpty()) std::abort();
    if (!righe[riga_squadra].voci.contains(QStringLiteral("gia_qui"))) std::abort();

    const QString testo = cp1252::decodifica(byte);
    LettoreCampi l(testo);
    qsizetype campi = 0;
    while (l.campo()) ++campi;
    qsizetype voci = -1;  // the squad row's own entry
    for (const auto& r : righe) {
        voci += r.voci.size();
        for (const QString& v : r.voci)
            if (v != QLatin1String("gia_qui") && !testo.contains(v)) std::abort();
    }
    if (voci > campi) std::abort();
    return 0;
}
