// Any bytes as an athlete file ".cfg": compatible exactly when the first field is
// the marker, at most eleven positions, a folder only after all eleven; what was
// read, written back and read again, gives the same.
#include "athletes/file_atleta.h"
#include "core/cp1252.h"
#include "core/lettore_campi.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const QByteArray byte(reinterpret_cast<const char*>(dati), static_cast<qsizetype>(n));
    const file_atleta::Lettura l = file_atleta::leggi(byte);
    LettoreCampi campi(cp1252::decodifica(byte));
    const auto primo = campi.campo();
    if (l.compatibile != (primo && *primo == file_atleta::marcatore)) std::abort();
    if (!l.compatibile && (!l.indici.empty() || l.cartella)) std::abort();
    if (l.indici.size() > 11) std::abort();
    if (l.cartella && l.indici.size() != 11) std::abort();
    if (l.cartella && !l.cartella->contains(QChar(u'\n')) && !l.cartella->contains(QChar(u'\r')) &&
        !l.cartella->contains(QChar(u'"'))) {
        std::array<int32_t, 11> indici{};
        std::copy(l.indici.begin(), l.indici.end(), indici.begin());
        const file_atleta::Lettura di_nuovo = file_atleta::leggi(file_atleta::scrivi(indici, *l.cartella));
        if (!di_nuovo.compatibile || di_nuovo.indici != l.indici || di_nuovo.cartella != l.cartella) std::abort();
    }
    return 0;
}
