// The work of one jump on the user-interface thread, from its serial frame to the
// jump panel brought up to date (decode, assembler, model, the six rows, the two
// large values, the two graph points), with the painting timed apart: every
// update request, paint and expose event is clocked on its own and left out.
//
// Each jump is delivered alone and the event loop then runs until the panel and
// the graph have shown it (a jump every few tenths of a second, as an athlete
// jumps: each one pays a whole refresh of its own). That is done around 100 jumps
// and around 20,000 (a test of 19,900 read in first). Then a burst of 500 jumps in
// one pass of the event loop, and 2 s of frames at 240 a second, count the
// refresh and paint passes they cause.
//   bench_display [jumps]     (default 20,000)
#include "adapters/qt/grafico_qt.h"
#include "bench/misure.h"
#include "board/decodifica.h"
#include "core/assemblatore_salti.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "display/frm_grafici.h"
#include "display/lista_salti.h"
#include "platform/dialoghi.h"
#include "platform/twips.h"
#include "sim/modello_atleta.h"
#include "sim/servizi_muti.h"
#include "ui/cadenza_pittura.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Clocks the painting: the outermost update request, paint or expose event (an
// update request held back for the next refresh costs next to nothing). What the
// window's paint cadence runs right before a pass (the lists' scroll to their new
// row) is work, not painting: the clock starts after it, when the last event
// filter of the window (`InizioPittura`) has seen the request.
class ApplicazioneMisurata : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* o, QEvent* e) override {
        const QEvent::Type t = e->type();
        if (dentro_ || (t != QEvent::UpdateRequest && t != QEvent::Paint && t != QEvent::Expose))
            return QApplication::notify(o, e);
        dentro_ = true;
        inizio_ns = -1;
        const double c0 = cpu_thread_ns();
        const bool r = QApplication::notify(o, e);
        pittura_ns += cpu_thread_ns() - (inizio_ns >= c0 ? inizio_ns : c0);
        dentro_ = false;
        return r;
    }

    double pittura_ns = 0;
    double inizio_ns = -1;

private:
    bool dentro_ = false;
};

// Installed on the window before its paint cadence, so it sees a request last.
class InizioPittura : public QObject {
public:
    InizioPittura(ApplicazioneMisurata& app, QWidget* finestra) : app_(app) { finestra->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::UpdateRequest) app_.inizio_ns = cpu_thread_ns();
        return false;
    }

private:
    ApplicazioneMisurata& app_;
};

// The serial frame of a board record: two big-endian 32-bit words.
void codifica(const TempiSalto& t, uint8_t* frame) {
    for (int i = 0; i < 4; ++i) {
        frame[i] = static_cast<uint8_t>(static_cast<uint32_t>(t.contatto_us) >> (24 - 8 * i));
        frame[4 + i] = static_cast<uint8_t>(static_cast<uint32_t>(t.volo_us) >> (24 - 8 * i));
    }
}

struct Banco {
    ApplicazioneMisurata& app;
    ModelloProva prova;
    SessioneAtleta sessione;
    AssemblatoreSalti assemblatore{sessione, prova};
    NessunaRisposta casella;
    GraficoQt* grafico = new GraficoQt;
    Frm_grafici pannello{prova, casella, grafico, [] { return QSizeF(15 * 1024, 15 * 700); }};
    InizioPittura inizio_pittura{app, &pannello};
    CadenzaPittura cadenza{&pannello};  // as the program's main window has
    SorgenteSalti sorgente{11};

    explicit Banco(ApplicazioneMisurata& a) : app(a) {
        pannello.show();
        attendi(100);
    }

    // The next record with a flight long enough to be a jump.
    TempiSalto prossimo() {
        auto t = sorgente.prossimo();
        while (t->volo_us < 25000) t = sorgente.prossimo();
        return *t;
    }
    // One frame, the way the serial receiver takes it in.
    void frame() {
        uint8_t f[byte_frame_seriale];
        codifica(prossimo(), f);
        const TempiScheda t = decodifica_frame(f);
        assemblatore.nuovi_tempi_us(t.contatto_us, t.volo_us);
    }
    // The loop sleeps between events; a timer wakes it at the end of the wait.
    void attendi(int ms) {
        QElapsedTimer t;
        t.start();
        QTimer::singleShot(ms, [] {});
        while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    // Until the panel has shown everything (its lists scroll and lay out within the
    // pass, a paint waits at most a refresh) and the graph holds every point.
    void fino_a_mostrato() {
        QElapsedTimer t;
        t.start();
        QTimer::singleShot(20, [] {});
        while (t.elapsed() < 2500 && (t.elapsed() < 20 || grafico->lotto_in_attesa()))
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        QApplication::processEvents();
    }
};

struct Costo {
    double lavoro_us = 0, mediana_us = 0, massimo_us = 0;  // per jump, painting excluded
    double pittura_us = 0;                                   // per paint pass
};

// `n` jumps, each delivered alone and shown before the next.
Costo salti_isolati(Banco& b, int n) {
    std::vector<double> lavoro;
    double pittura = 0;
    int passate = 0;
    for (int i = 0; i < n; ++i) {
        const double p0 = b.app.pittura_ns;
        const int n0 = b.cadenza.passate();
        const double c0 = cpu_thread_ns();
        b.frame();
        b.fino_a_mostrato();
        const double dp = b.app.pittura_ns - p0;
        lavoro.push_back((cpu_thread_ns() - c0 - dp) / 1000);
        pittura += dp;
        passate += b.cadenza.passate() - n0;
    }
    Costo c;
    for (double l : lavoro) c.lavoro_us += l;
    c.lavoro_us /= n;
    c.mediana_us = percentile(lavoro, 0.5);
    c.massimo_us = *std::max_element(lavoro.begin(), lavoro.end());
    c.pittura_us = passate ? pittura / passate / 1000 : 0;
    return c;
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ApplicazioneMisurata app(argc, argv);
    twips::imposta_per_pixel(15);
    const int totale = argc > 1 ? std::max(200, std::atoi(argv[1])) : 20000;
    constexpr int misurati = 100;

    // 1. The first 100 jumps of a test.
    Costo inizio;
    {
        Banco b(app);
        inizio = salti_isolati(b, misurati);
    }
    // 2. The 100 jumps that take a test read in to `totale`.
    Costo fine;
    int righe = 0;
    {
        Banco b(app);
        std::vector<Salto> letti;
        ModelloProva calcolo;  // the read test's metrics, as a live test computes them
        AssemblatoreSalti a(b.sessione, calcolo);
        for (int k = 0; k < totale - misurati; ++k) {
            const TempiSalto t = b.prossimo();
            a.nuovi_tempi_us(t.contatto_us, t.volo_us);
        }
        for (int k = 1; k <= calcolo.numero(); ++k) letti.push_back(calcolo.salti()[k]);
        b.prova.sostituisci(std::move(letti));
        b.fino_a_mostrato();
        b.attendi(200);
        fine = salti_isolati(b, misurati);
        righe = b.pannello.lista(0)->count();
    }
    // 3. A burst: 500 frames in one pass of the event loop.
    double burst_us = 0;
    int burst_aggiornamenti = 0, burst_passate = 0;
    bool burst_intero = false;
    {
        Banco b(app);
        b.attendi(50);
        const int n0 = b.cadenza.passate(), a0 = b.pannello.lista(5)->impaginazioni();
        const double p0 = b.app.pittura_ns, c0 = cpu_thread_ns();
        for (int i = 0; i < 500; ++i) b.frame();
        b.fino_a_mostrato();
        burst_us = (cpu_thread_ns() - c0 - (b.app.pittura_ns - p0)) / 1000 / 500;
        burst_aggiornamenti = b.pannello.lista(5)->impaginazioni() - a0;
        burst_passate = b.cadenza.passate() - n0;
        burst_intero = b.pannello.lista(5)->count() == 500 && b.grafico->numero_punti(2) == 500;
    }
    // 4. 240 frames a second for 2 s, one frame per pass of the event loop.
    double flusso_aggiornamenti = 0, flusso_passate = 0, flusso_us = 0;
    {
        Banco b(app);
        b.attendi(50);
        const int n0 = b.cadenza.passate(), a0 = b.pannello.lista(5)->impaginazioni();
        const double p0 = b.app.pittura_ns, c0 = cpu_thread_ns();
        QElapsedTimer t;
        t.start();
        int inviati = 0;
        QTimer linea;  // a frame every 4.2 ms, each in a pass of its own
        linea.setTimerType(Qt::PreciseTimer);
        QObject::connect(&linea, &QTimer::timeout, [&] {
            if (inviati >= t.nsecsElapsed() * 240 / 1000000000) return;
            b.frame();
            ++inviati;
        });
        linea.start(1);
        while (t.elapsed() < 2000) QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        linea.stop();
        const double s = t.nsecsElapsed() / 1e9;
        b.fino_a_mostrato();
        flusso_aggiornamenti = (b.pannello.lista(5)->impaginazioni() - a0) / s;
        flusso_passate = (b.cadenza.passate() - n0) / s;
        flusso_us = (cpu_thread_ns() - c0 - (b.app.pittura_ns - p0)) / 1000 / inviati;
    }

    std::printf("one jump alone, frame to panel shown, user-interface thread, painting excluded\n");
    std::printf("  at %5d jumps: mean %7.1f us  median %7.1f us  max %7.1f us; paint %7.1f us a pass\n", misurati,
                inizio.lavoro_us, inizio.mediana_us, inizio.massimo_us, inizio.pittura_us);
    std::printf("  at %5d jumps: mean %7.1f us  median %7.1f us  max %7.1f us; paint %7.1f us a pass\n", totale,
                fine.lavoro_us, fine.mediana_us, fine.massimo_us, fine.pittura_us);
    std::printf("burst of 500 frames in one pass: %.1f us a jump, %d list layouts, %d paint passes, %s\n", burst_us,
                burst_aggiornamenti, burst_passate, burst_intero ? "every row and point shown" : "ROWS MISSING");
    std::printf("240 frames/s for 2 s: %.1f us a jump, %.1f list layouts/s, %.1f paint passes/s\n", flusso_us,
                flusso_aggiornamenti, flusso_passate);
    std::printf("rows at the end of the long test: %d\n", righe);

    std::printf("RISULTATO\twork per jump at 100 jumps, painting excluded (us)\t<= 1000\t%.1f\n", inizio.lavoro_us);
    std::printf("RISULTATO\twork per jump at %d jumps, painting excluded (us)\t<= 1000\t%.1f\n", totale,
                fine.lavoro_us);
    std::printf("RISULTATO\tslowest of the 100 jumps at 100 / %d jumps, painting excluded (us)\t-\t%.0f / %.0f\n",
                totale, inizio.massimo_us, fine.massimo_us);
    std::printf("RISULTATO\tpaint pass at 100 / %d jumps (us)\t-\t%.0f / %.0f\n", totale, inizio.pittura_us,
                fine.pittura_us);
    std::printf("RISULTATO\tlist layouts for a burst of 500 jumps\t1\t%d\n", burst_aggiornamenti);
    std::printf("RISULTATO\tpaint passes a second at 240 frames/s\t<= 60\t%.1f\n", flusso_passate);
    return burst_intero && righe == totale ? 0 : 1;
}
