// Any bytes as a legacy .xls workbook: reading stays inside the cell limit and a
// test read from it holds only finite numbers. The reader runs the library in a
// child process; a child that the library crashes is the reader's own business
// (it gives an error), so here the child dies quietly instead of through the
// fuzzer's crash handlers, which would record it as a finding of this target.
#include "file_temporaneo.h"
#include "foglio_letto.h"

#include <sanitizer/common_interface_defs.h>

#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <cstdint>

namespace {
void nel_figlio() {
    __sanitizer_set_death_callback(nullptr);
    for (int s : {SIGABRT, SIGSEGV, SIGBUS, SIGILL, SIGFPE}) std::signal(s, SIG_DFL);
    const int nulla = open("/dev/null", O_WRONLY);
    if (nulla >= 0) dup2(nulla, 2);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    pthread_atfork(nullptr, nullptr, nel_figlio);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    QString errore;
    const auto foglio = leggi_xls(file_di_prova(dati, n, "xls"), limiti_fuzz, &errore);
    if (const FoglioMemoria* f = controlla_lettura(foglio, errore)) controlla_prova(*f);
    return 0;
}
