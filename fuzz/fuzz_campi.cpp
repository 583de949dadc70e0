// Any bytes as a register or test text: decoding and field reading never fail, and
// every field read is a piece of the decoded text.
#include "core/cp1252.h"
#include "core/lettore_campi.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const QByteArray byte(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(n));
    const QString testo = cp1252::decodifica(byte);
    if (cp1252::codifica(testo) != byte) std::abort();
    LettoreCampi l(testo);
    qsizetype letti = 0;
    for (int i = 0; i < 100000; ++i) {
        auto c = l.campo();
        if (!c) break;
        if (!testo.contains(*c)) std::abort();
        letti += c->size();
        if (i % 3 == 0) l.salta_riga();
    }
    if (letti > testo.size()) std::abort();
    return 0;
}
