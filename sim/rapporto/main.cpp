// Writes the report of a made-up fatigue test (the athlete jumps lower and stays
// longer on the mat as the test goes on) to a PDF: the picture in docs/ comes from it.
//   sim_rapporto report.pdf [number of jumps]
#include "core/metriche.h"
#include "core/titoli.h"
#include "report/rapporto.h"

#include <QFile>
#include <QGuiApplication>
#include <QLocale>

#include <cstdio>
#include <random>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));  // a coach's PC: decimal comma
    if (argc < 2) {
        std::fprintf(stderr, "uso: sim_rapporto RAPPORTO.pdf [salti]\n");
        return 2;
    }
    const int n = argc > 2 ? std::max(1, std::atoi(argv[2])) : 24;

    Salti salti;
    std::mt19937 rng(7);
    std::normal_distribution<double> rumore(0.0, 1.0);
    for (int k = 1; k <= n; ++k) {
        const double fatica = static_cast<double>(k - 1) / std::max(1, n - 1);
        salti.aggiungi(std::round(172 + 58 * fatica + 9 * rumore(rng)));
        calcola_metriche(salti, static_cast<int32_t>(std::round(565 - 85 * fatica + 12 * rumore(rng))));
    }
    const DatiRapporto dati{QStringLiteral("Atletica Valdora"),
                            QStringLiteral("Ilvor Darsena"),
                            QStringLiteral("Salti continui 30 s"),
                            QDateTime(QDate(2025, 3, 14), QTime(10, 42, 7)),
                            20,
                            salti,
                            crea_testo_versione(),
                            QDateTime(QDate(2025, 3, 14), QTime(11, 5))};
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || !scrivi_pdf(dati, file)) {
        std::fprintf(stderr, "non scritto: %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %d salti\n", argv[1], n);
    return 0;
}
