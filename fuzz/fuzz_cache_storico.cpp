// Any bytes as the history's cache file: what it gives is tests read, none longer
// than a test file can be, and writing them back and reading again gives their jumps back.
#include "history/cache_storico.h"
#include "file_temporaneo.h"

#include <QDir>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const std::vector<ProvaStorico> prove = cache_storico::carica(file_di_prova(dati, n, "cache"));
    for (const ProvaStorico& p : prove)
        if (!p.letta() || p.salti.size() > 32767 || p.figure.n_salti != static_cast<int32_t>(p.salti.size())) std::abort();
    if (prove.empty()) return 0;
    static const QString copia = QDir::tempPath() + QStringLiteral("/hopa_fuzz_%1_copia.cache").arg(getpid());
    if (cache_storico::salva(copia, prove)) std::abort();
    const std::vector<ProvaStorico> di_nuovo = cache_storico::carica(copia);
    if (di_nuovo.size() != prove.size()) std::abort();
    // The jumps bit for bit (NaN included); a date made up by the input need not be one Qt
    // writes back the same way, so it is not compared.
    for (size_t i = 0; i < prove.size(); ++i)
        if (di_nuovo[i].file.nome != prove[i].file.nome || di_nuovo[i].salti.size() != prove[i].salti.size() ||
            std::memcmp(di_nuovo[i].salti.data(), prove[i].salti.data(), prove[i].salti.size() * sizeof(Salto)) != 0)
            std::abort();
    return 0;
}
