// Throughput and latency of the serial receive path: the simulated board
// streams 14,400 frames at 240 frames/s (the 19200-baud line rate) through a
// pseudo-terminal into the QSerialPort adapter and the receive event; every
// jump is checked against the script, and the time from a frame written by the
// board to its jump completed is measured.
#include "bench/board_sim.h"
#include "board/apertura_porta.h"
#include "adapters/serial/porta_seriale_qt.h"
#include "board/collegamento_seriale.h"
#include "core/modello_prova.h"
#include "core/numeri.h"
#include "core/sessione_atleta.h"
#include "core/stato_collegamento.h"
#include "platform/archivio_impostazioni.h"
#include "platform/beep.h"
#include "platform/dialoghi.h"
#include "sim/modello_atleta.h"
#include "sim/servizi_muti.h"
#include "bench/misure.h"
#include "platform/orologio.h"
#include "platform/porta_seriale.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

struct Atteso {
    int32_t tc, tv;
    int frame;  // index of the frame that completes it
};

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int frame_totali = argc > 1 ? std::max(3, atoi(argv[1])) : 14400;
    constexpr int t_volo_min = 20;

    // The script of the athlete model.
    QTemporaryDir dir;
    std::vector<TempiSalto> righe;
    SorgenteSalti modello(2024);
    for (int i = 0; i < frame_totali; ++i) righe.push_back(*modello.prossimo());
    if (!scrivi_copione(dir.filePath("copione.txt"), righe)) return 1;
    // What the receiver must make of it.
    std::vector<Atteso> attesi;
    int64_t pendente = 0;
    for (int i = 1; i < frame_totali; ++i) {
        const int32_t tc = numeri::us_a_ms(righe[i].contatto_us), tv = numeri::us_a_ms(righe[i].volo_us);
        if (tv > t_volo_min) {
            attesi.push_back({static_cast<int32_t>(pendente + tc), tv, i});
            pendente = 0;
        } else {
            pendente += tc + tv;
        }
    }

    QProcess sim;
    const QString percorso = avvia_board_sim(sim, {"--copione", dir.filePath("copione.txt"), "--frequenza", "240",
                                                   "--registro", dir.filePath("registro.txt")});
    if (percorso.isEmpty()) return 1;

    StatoCollegamento st;
    SessioneAtleta sessione;
    sessione.t_volo_min = t_volo_min;
    ModelloProva prova;
    std::vector<qint64> completati;  // index k-1: when jump k was complete
    QObject::connect(&prova, &ModelloProva::salto_completato, &prova, [&] { completati.push_back(ns_adesso()); });
    ArchivioMemoria archivio;
    archivio.scrivi("Properties", "PortPath", percorso);
    MessaggiRaccolti messaggi;
    BeepMuto beep;
    CollegamentoSeriale c(st, archivio, messaggi, beep, sessione, prova, nullptr, contatore_di_sistema(),
                          nuova_porta_di_sistema([percorso] { return percorso; }));
    Open_comm(c.porta(), st, messaggi);
    st.connesso = true;
    QElapsedTimer durata;
    durata.start();
    if (!c.avvia_acquisizione()) {
        std::fprintf(stderr, "avvio fallito: %s\n", qPrintable(messaggi.testi.join("; ")));
        return 1;
    }
    QString uscita_sim;
    const qint64 limite_ms = 5000 + qint64{frame_totali} * 1000 / 240 * 2;
    QTimer sveglia;  // the loop sleeps until an event, at most this long
    sveglia.start(50);
    while (durata.elapsed() < limite_ms) {
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        uscita_sim += QString::fromLocal8Bit(sim.readAllStandardOutput());
        if (uscita_sim.contains("fine ") && static_cast<size_t>(prova.numero()) >= attesi.size()) break;
    }
    // Frames still on their way when the board says it is done.
    for (QElapsedTimer t; !t.isValid() || t.elapsed() < 300;) {
        if (!t.isValid()) t.start();
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    const double secondi = durata.elapsed() / 1000.0;
    const double cpu_s = cpu_processo_ns() / 1e9;
    c.arresta_acquisizione();
    sim.write("esci\n");
    sim.waitForFinished(2000);

    std::vector<qint64> scritto;
    {
        QFile f(dir.filePath("registro.txt"));
        if (f.open(QIODevice::ReadOnly)) {
            QTextStream s(&f);
            while (!s.atEnd()) {
                const QStringList p = s.readLine().split(' ');
                if (p.size() == 2) scritto.push_back(p[1].toLongLong());
            }
        }
    }

    const int registrati = prova.numero();
    int corretti = 0;
    std::vector<double> latenze;
    for (int k = 1; k <= registrati && k <= static_cast<int>(attesi.size()); ++k) {
        const Atteso& a = attesi[k - 1];
        if (prova.salti()[k].t_contatto != a.tc || prova.salti()[k].t_volo != a.tv) break;
        ++corretti;
        if (a.frame < static_cast<int>(scritto.size()) && k - 1 < static_cast<int>(completati.size()))
            latenze.push_back((completati[k - 1] - scritto[a.frame]) / 1e6);
    }
    const bool pendente_giusto = c.ricezione().assemblatore().contatto_pendente() == pendente;
    const bool tutto = corretti == static_cast<int>(attesi.size()) && registrati == corretti && pendente_giusto;
    // Frames that reached no jump: everything after the last correct jump's frame.
    const int ultimo_buono = corretti ? attesi[corretti - 1].frame : 0;
    const int persi = tutto ? 0 : frame_totali - 1 - ultimo_buono;

    std::printf("frame inviati:        %zu (il primo scartato per regola)\n", scritto.size());
    std::printf("salti attesi:         %zu\n", attesi.size());
    std::printf("salti registrati:     %d (corretti %d)\n", registrati, corretti);
    std::printf("frame persi:          %d\n", persi);
    std::printf("durata:               %.1f s (%.0f frame/s)\n", secondi, scritto.size() / secondi);
    std::printf("CPU del ricevitore:   %.1f s (%.1f%% di un core)\n", cpu_s, 100.0 * cpu_s / secondi);
    std::printf("latenza p50/p99/max:  %.2f / %.2f / %.2f ms\n", percentile(latenze, 0.5), percentile(latenze, 0.99),
                latenze.empty() ? 0.0 : *std::max_element(latenze.begin(), latenze.end()));
    std::printf("RISULTATO\tserial frames lost of %zu at 240 frames/s\t0\t%d\n", scritto.size(), persi);
    std::printf("RISULTATO\tserial frame to jump latency p99\t-\t%.2f ms\n", percentile(latenze, 0.99));
    std::printf("RISULTATO\tserial receiver CPU\t-\t%.1f%% of a core\n", 100.0 * cpu_s / secondi);
    return persi == 0 && static_cast<int>(scritto.size()) == frame_totali ? 0 : 1;
}
