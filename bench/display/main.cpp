// Appends 10,000 jumps through mostra_salto to a shown jump panel and prints the
// mean cost of one call (with the window events it causes: layout and painting
// of the lists, the labels and the graph) around 100, 1,000 and 10,000 jumps.
#include "core/modello_prova.h"
#include "adapters/qt/grafico_qt.h"
#include "display/frm_grafici.h"
#include "display/lista_salti.h"
#include "platform/grafico.h"
#include "platform/dialoghi.h"
#include "sim/modello_atleta.h"
#include "platform/twips.h"

#include <QApplication>
#include <QElapsedTimer>

#include <ctime>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
// CPU time of the whole process (painting helper threads included): steadier than
// the wall clock on a machine shared with other work.
double cpu_ns() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

class CasellaMuta : public CasellaInput {
public:
    QString chiedi(const QString&, const QString&, const QString&) override { return {}; }
};
}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    twips::imposta_per_pixel(15);

    ModelloProva prova;
    CasellaMuta casella;
    Frm_grafici pannello(prova, casella, new GraficoQt, [] { return QSizeF(15 * 1024, 15 * 700); });
    pannello.show();
    QApplication::processEvents();

    SorgenteSalti sorgente(11);
    // An argument lowers the total (a quick look); the figures need 10,000.
    const int totale = argc > 1 ? std::max(100, std::atoi(argv[1])) : 10000;
    std::vector<int> punti;
    for (int n : {100, 1000, 10000})
        if (n <= totale) punti.push_back(n);
    std::vector<double> durate(static_cast<size_t>(totale) + 1, 0.0);  // wall ns of call k, events included
    std::vector<double> cpu(static_cast<size_t>(totale) + 1, 0.0);     // process CPU ns of call k

    QElapsedTimer orologio;
    for (int k = 1; k <= totale; ++k) {
        auto t = sorgente.prossimo();
        while (t && t->volo_us < 20000) t = sorgente.prossimo();
        const double c0 = cpu_ns();
        orologio.start();
        // The model announces the completed jump; the panel shows it on the notice.
        prova.aggiungi_salto(static_cast<int32_t>(t->contatto_us / 1000));
        prova.completa_salto(static_cast<int32_t>(t->volo_us / 1000));
        QApplication::processEvents();
        durate[static_cast<size_t>(k)] = static_cast<double>(orologio.nsecsElapsed());
        cpu[static_cast<size_t>(k)] = cpu_ns() - c0;
        if (k % 1000 == 0) std::fprintf(stderr, "%d jumps: last call %.0f us\n", k, durate[static_cast<size_t>(k)] / 1000);
    }

    // Mean over the calls from n/2 + 1 to n: the later half of the way to n jumps.
    std::printf("mostra_salto, mean cost per call (window events included)\n");
    double primo_wall = 0, primo_cpu = 0, ultimo_wall = 0, ultimo_cpu = 0;
    bool entro = true;
    for (int n : punti) {
        double somma = 0, somma_cpu = 0;
        for (int k = n / 2 + 1; k <= n; ++k) {
            somma += durate[static_cast<size_t>(k)];
            somma_cpu += cpu[static_cast<size_t>(k)];
        }
        const double wall_us = somma / (n - n / 2) / 1000.0;
        const double cpu_us = somma_cpu / (n - n / 2) / 1000.0;
        if (n == punti.front()) {
            primo_wall = wall_us;
            primo_cpu = cpu_us;
        }
        if (cpu_us > 2 * primo_cpu) entro = false;
        ultimo_wall = wall_us;
        ultimo_cpu = cpu_us;
        std::printf("  at %5d jumps: wall %8.1f us (x%.2f)   cpu %8.1f us (x%.2f)\n", n, wall_us,
                    wall_us / primo_wall, cpu_us, cpu_us / primo_cpu);
    }
    std::printf("cpu cost at the last count %s 2x the cost at %d\n", entro ? "within" : "NOT within", punti.front());
    std::printf("RISULTATO\tmostra_salto cpu per call, %d jumps / %d jumps\t<= 2x\tx%.2f\n", punti.back(),
                punti.front(), ultimo_cpu / primo_cpu);
    std::printf("RISULTATO\tmostra_salto wall per call at %d jumps\t-\t%.1f us\n", punti.back(), ultimo_wall);
    std::printf("rows %d, graph points %d + %d\n", pannello.lista(0)->count(), pannello.grafico().numero_punti(1),
                pannello.grafico().numero_punti(2));
    return 0;
}
