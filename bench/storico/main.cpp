// The athlete's history with 500 tests in the athlete's folder (450 archive text
// files of 20 to 40 jumps in "prove", 50 workbooks beside them): the window
// "Storico prove" opened as the menu opens it, with the real graphs and the real
// reading, first with no cache and then with the cache its first opening wrote.
// Each opening counts from the window's making to its first picture (grab) with
// every row listed; the first opening also until every file is read, and the
// longest the user-interface thread went without running a timer meanwhile.
// Goal: the window open in under 0.5 s.
#include "bench/misure.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/viste.h"
#include "files/comandi_file.h"
#include "history/cache_storico.h"
#include "history/frm_storico.h"
#include "history/storico_atleta.h"
#include "adapters/qt/grafico_serie_qt.h"
#include "adapters/workbook/fogli_file.h"
#include "sim/prove_finte.h"
#include "sim/servizi_muti.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int prove = 500;
constexpr int cartelle = 50;
constexpr int giri = 5;

struct Apertura {
    double aperta_ms = 0;  // made, shown, listed and drawn once
    double lette_ms = 0;   // until every file is read
    double pausa_ms = 0;   // the longest the interface thread was busy meanwhile
    int righe = 0;
    int lette = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString atleta = QDir(dir.path()).filePath(QStringLiteral("Squadra/Anna"));
    QDir().mkpath(atleta);
    FogliDiCalcoloFile fogli;
    const QStringList esercizi = {QStringLiteral("CMJ"), QStringLiteral("Squat Jump"), QStringLiteral("Drop Jump 40")};
    const QDateTime inizio(QDate(2022, 1, 10), QTime(9, 0));
    for (int i = 0; i < prove; ++i) {
        const QDateTime quando = inizio.addSecs(i * 36LL * 3600);
        const QString esercizio = esercizi[i % esercizi.size()];
        const auto salti = prove_finte::salti(20 + i % 21, 560 + (i % 40), static_cast<unsigned>(i + 1));
        const bool ok = i % (prove / cartelle) == 0
                            ? prove_finte::scrivi_cartella(fogli, QDir(atleta).filePath(QStringLiteral("Prova %1.xlsx").arg(i)),
                                                           QStringLiteral("Anna"), esercizio, quando, salti)
                            : !prove_finte::scrivi_archivio(atleta, QStringLiteral("Anna"), esercizio, quando, salti).isEmpty();
        if (!ok) {
            std::fprintf(stderr, "could not write test %d\n", i);
            return 1;
        }
    }
    const QString cache = QDir(dir.path()).filePath(QStringLiteral("ini/storico"));

    ModelloProva prova;
    SessioneAtleta sessione;
    sessione.nome_utente = QStringLiteral("Anna");
    sessione.squadra = QStringLiteral("Squadra");
    sessione.cartella_utente = atleta;
    IntestazioneMuta intestazione;
    NessunFile dialogo;
    MessaggiStampati messaggi;
    ComandiFile comandi(prova, sessione, intestazione, dialogo, messaggi, fogli);

    const auto apri = [&]() {
        Apertura a;
        QElapsedTimer t;
        t.start();
        auto f = std::make_unique<Frm_storico>(ServiziStorico{sessione, comandi, fogli, dialogo, messaggi,
                                                              new GraficoSerieQt, new GraficoSerieQt, cache});
        f->mostra();
        f->grab();
        a.aperta_ms = t.nsecsElapsed() / 1e6;
        // The interface thread's gaps: a timer that should run every 2 ms.
        QElapsedTimer battito;
        battito.start();
        QTimer polso;
        polso.setInterval(2);
        QObject::connect(&polso, &QTimer::timeout, [&] {
            a.pausa_ms = std::max(a.pausa_ms, battito.nsecsElapsed() / 1e6);
            battito.restart();
        });
        polso.start();
        while (f->storico().in_lettura() && t.elapsed() < 60000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        a.lette_ms = t.nsecsElapsed() / 1e6;
        a.righe = static_cast<int>(f->storico().prove().size());
        for (const ProvaStorico& p : f->storico().prove()) a.lette += p.letta() ? 1 : 0;
        return a;
    };

    std::vector<double> prima_aperta, prima_lette, pause, con_cache;
    int righe = 0, lette = 0;
    const QString file_cache = cache_storico::file_per(cache, atleta);
    for (int g = 0; g < giri; ++g) {
        QFile::remove(file_cache);
        const Apertura a = apri();
        prima_aperta.push_back(a.aperta_ms);
        prima_lette.push_back(a.lette_ms);
        pause.push_back(a.pausa_ms);
        righe = a.righe;
        lette = a.lette;
    }
    for (int g = 0; g < giri; ++g) {
        const Apertura a = apri();
        con_cache.push_back(a.aperta_ms);
        lette = std::min(lette, a.lette);
    }

    std::printf("%d prove (%d cartelle di lavoro), %d righe, %d lette\n", prove, cartelle, righe, lette);
    std::printf("prima apertura: mediana %.1f ms (finestra), %.1f ms (tutte lette), pausa massima %.1f ms\n",
                mediana(prima_aperta), mediana(prima_lette), *std::max_element(pause.begin(), pause.end()));
    std::printf("apertura con cache: mediana %.1f ms, peggiore %.1f ms\n", mediana(con_cache),
                *std::max_element(con_cache.begin(), con_cache.end()));
    std::printf("RISULTATO\thistory of %d tests, first open (no cache): window shown with every row, median of %d\t< 500 ms\t%.1f ms\n",
                prove, giri, mediana(prima_aperta));
    std::printf("RISULTATO\thistory of %d tests, first open: every file read (worker thread), median of %d\t-\t%.1f ms\n",
                prove, giri, mediana(prima_lette));
    std::printf("RISULTATO\thistory of %d tests, first open: longest pause of the interface while reading\t< 100 ms\t%.1f ms\n",
                prove, *std::max_element(pause.begin(), pause.end()));
    std::printf("RISULTATO\thistory of %d tests, cached open: window shown with every figure, median of %d\t< 500 ms\t%.1f ms\n",
                prove, giri, mediana(con_cache));
    std::printf("RISULTATO\thistory of %d tests: every test read\t%d\t%d\n", prove, prove, lette);
    return righe == prove && lette == prove && messaggi.n == 0 ? 0 : 1;
}
