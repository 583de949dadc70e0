// Saves the same test of N jumps as a workbook under the given name over and
// over, printing "salvato <k>" after each save, until it has saved `volte` times
// or is killed. The file tests kill it at random moments to check that the name
// never holds a partial workbook.
//
//   salva-prova PERCORSO N [volte]
#include "files/foglio_prova.h"
#include "adapters/workbook/fogli_file.h"
#include "sim/prove_finte.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 3) {
        std::fprintf(stderr, "uso: salva-prova PERCORSO N [volte]\n");
        return 2;
    }
    const QString percorso = a[1];
    const int n = a[2].toInt();
    const int volte = a.size() > 3 ? a[3].toInt() : 1000;
    const Salti salti = prove_finte::salti_variati(n);
    FogliDiCalcoloFile fogli;
    for (int k = 1; k <= volte; ++k) {
        auto cartella = fogli.nuova();
        QString errore;
        if (!scrivi_prova_foglio(cartella->foglio_attivo(), salti, QStringLiteral("Atleta"), QStringLiteral("Esercizio"),
                                 QStringLiteral("08/12/2026 04:00:00"), {}, &errore) ||
            !cartella->salva_con_nome(percorso, &errore)) {
            std::fprintf(stderr, "salvataggio fallito: %s\n", qPrintable(errore));
            return 1;
        }
        std::printf("salvato %d\n", k);
        std::fflush(stdout);
    }
    return 0;
}
