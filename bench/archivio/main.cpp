// The test archive under a live test: the simulated board streams 20,000 jumps
// at 240 frames/s through a pseudo-terminal, the serial port and the receive
// event into the test model with the archive listening. Measured: the time each
// jump costs the user-interface thread in the archive (its listener alone, from
// the listener connected just before it to the one just after), first and last
// thousand jumps apart, and the syncs per second; at the end the test file is
// read back and compared with the test in memory.
//   bench-archivio [jumps]      (default 20,000)
#include "bench/board_sim.h"
#include "adapters/serial/porta_seriale_qt.h"
#include "board/apertura_porta.h"
#include "board/collegamento_seriale.h"
#include "core/cartelle_programma.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/stato_collegamento.h"
#include "files/archivio_prove.h"
#include "files/formato_archivio.h"
#include "files/giornali_prove.h"
#include "files/lettura_csv.h"
#include "platform/archivio_impostazioni.h"
#include "platform/beep.h"
#include "platform/dialoghi.h"
#include "platform/orologio.h"
#include "sim/modello_atleta.h"
#include "sim/servizi_muti.h"
#include "bench/misure.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int salti_voluti = argc > 1 ? std::max(10, atoi(argv[1])) : 20000;

    // A script of the athlete model long enough for the jumps wanted (short
    // flights merge into the next jump; the first frame is thrown away).
    QTemporaryDir dir;
    std::vector<TempiSalto> righe;
    SorgenteSalti modello(314);
    for (int salti = -1; salti < salti_voluti;) {
        righe.push_back(*modello.prossimo());
        if ((righe.back().volo_us + 500) / 1000 > 20) ++salti;
    }
    if (!scrivi_copione(dir.filePath("copione.txt"), righe)) return 1;
    QProcess sim;
    const QString percorso = avvia_board_sim(sim, {"--copione", dir.filePath("copione.txt"), "--frequenza", "240"});
    if (percorso.isEmpty()) return 1;

    StatoCollegamento st;
    SessioneAtleta sessione;
    sessione.cartella_utente = dir.filePath("Squadra/Atleta");
    CartelleProgramma cartelle{dir.path()};
    ModelloProva prova;
    MessaggiRaccolti messaggi;
    // The archive's listener alone: one listener just before it, one just after.
    qint64 inizio = 0;
    std::vector<double> costo_us;
    costo_us.reserve(static_cast<size_t>(salti_voluti) + 16);
    QObject::connect(&prova, &ModelloProva::salto_completato, &prova, [&] { inizio = ns_adesso(); });
    ArchivioProve archivio(prova, sessione, cartelle, messaggi);
    QObject::connect(&prova, &ModelloProva::salto_completato, &prova,
                     [&] { costo_us.push_back((ns_adesso() - inizio) / 1e3); });

    ArchivioMemoria impostazioni;
    BeepMuto beep;
    CollegamentoSeriale c(st, impostazioni, messaggi, beep, sessione, prova, nullptr, contatore_di_sistema(),
                          nuova_porta_di_sistema([percorso] { return percorso; }));
    Open_comm(c.porta(), st, messaggi);
    st.connesso = true;
    prova.azzera();
    if (!c.avvia_acquisizione()) {
        std::fprintf(stderr, "avvio fallito: %s\n", qPrintable(messaggi.testi.join("; ")));
        return 1;
    }
    archivio.acquisizione(true);
    QElapsedTimer durata;
    durata.start();
    QTimer sveglia;
    sveglia.start(50);
    const qint64 limite_ms = 10000 + qint64{salti_voluti} * 1000 / 240 * 2;
    while (prova.numero() < salti_voluti && durata.elapsed() < limite_ms)
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    const double secondi = durata.elapsed() / 1000.0;
    const auto conti = archivio.conti();
    c.arresta_acquisizione();
    archivio.acquisizione(false);
    archivio.chiudi(10000);
    sim.write("esci\n");
    sim.waitForFinished(2000);

    // The finished test file against the test in memory.
    const QString csv = QDir(giornali_prove::cartella_prove(sessione.cartella_utente, cartelle.programma))
                            .filePath(formato_archivio::nome_file(sessione.macchina_utente, prova.quando()) + ".csv");
    const EsitoLettura letto = leggi_file_csv(csv);
    const auto& e = prova.salti().elementi();
    const bool uguale = letto.tipo == EsitoLettura::Tipo::Letta && letto.prova.salti == std::vector<Salto>(e.begin() + 1, e.end());

    const size_t n = costo_us.size();
    const auto tratto = [&](size_t da, size_t a) {
        return std::vector<double>(costo_us.begin() + static_cast<long>(std::min(da, n)),
                                   costo_us.begin() + static_cast<long>(std::min(a, n)));
    };
    const double mediana = percentile(costo_us, 0.5), p99 = percentile(costo_us, 0.99);
    const double massimo = n ? *std::max_element(costo_us.begin(), costo_us.end()) : 0;
    const double primi = percentile(tratto(0, 1000), 0.5), ultimi = percentile(tratto(n > 1000 ? n - 1000 : 0, n), 0.5);
    std::printf("salti registrati:       %d in %.1f s\n", prova.numero(), secondi);
    std::printf("costo per salto (us):   mediana %.2f  p99 %.2f  max %.1f\n", mediana, p99, massimo);
    std::printf("mediana primi/ultimi 1000: %.2f / %.2f us\n", primi, ultimi);
    std::printf("sincronizzazioni:       %lld (%.1f al secondo)\n", static_cast<long long>(conti.sincronizzazioni),
                conti.sincronizzazioni / secondi);
    std::printf("righe scritte subito / dal thread: %lld / %lld\n", static_cast<long long>(conti.scritti_subito),
                static_cast<long long>(conti.scritti_dopo));
    std::printf("file della prova:       %s (%s)\n", qPrintable(csv), uguale ? "uguale alla prova" : "DIVERSO");
    if (!messaggi.testi.isEmpty()) std::printf("messaggi: %s\n", qPrintable(messaggi.testi.join(" | ")));
    std::printf("RISULTATO\tarchivio: costo per salto sul thread dell'interfaccia, mediana (us)\t< 1000\t%.2f\n", mediana);
    std::printf("RISULTATO\tarchivio: costo per salto, p99 (us)\t< 1000\t%.2f\n", p99);
    std::printf("RISULTATO\tarchivio: mediana ultimi/primi 1000 salti\t~1 (piatto)\t%.2f\n", primi > 0 ? ultimi / primi : 0);
    std::printf("RISULTATO\tarchivio: sincronizzazioni al secondo a 240 frame/s\t<= 10\t%.1f\n", conti.sincronizzazioni / secondi);
    std::printf("RISULTATO\tarchivio: file della prova uguale alla prova in memoria (%d salti)\tsi\t%s\n", prova.numero(),
                uguale ? "si" : "no");
    return uguale && prova.numero() >= salti_voluti ? 0 : 1;
}
