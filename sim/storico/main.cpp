// The window "Storico prove" over a made-up athlete: a season of counter-movement
// and squat jump tests in the archive, a saved workbook, and a file that is not a
// test; three tests chosen for the comparison. With a file name it saves a picture
// of the window there and quits; without one it stays open (what its "Apri" loads
// is told on standard output).
//   sim_storico [picture.png]
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/viste.h"
#include "files/comandi_file.h"
#include "history/frm_storico.h"
#include "history/modello_storico.h"
#include "history/storico_atleta.h"
#include "adapters/qt/dialoghi_qt.h"
#include "adapters/qt/grafico_serie_qt.h"
#include "adapters/workbook/fogli_file.h"
#include "sim/prove_finte.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {
// Stands in for the header: says on standard output what "Apri" loaded.
class IntestazioneStampata : public VistaIntestazione {
public:
    IntestazioneStampata(const SessioneAtleta& sessione, const ModelloProva& prova) : sessione_(sessione), prova_(prova) {}
    void Aggiorna_intestazione() override {
        const QString t = QStringLiteral("%1, %2: %3 salti").arg(sessione_.nome_utente, sessione_.macchina_utente).arg(prova_.numero());
        if (t == detto_) return;
        detto_ = t;
        std::printf("caricata: %s\n", qPrintable(t));
        std::fflush(stdout);
    }

private:
    const SessioneAtleta& sessione_;
    const ModelloProva& prova_;
    QString detto_;
};
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString foto = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

    QTemporaryDir dir;
    const QString atleta = QDir(dir.path()).filePath(QStringLiteral("Juniores/Anna Riva"));
    QDir().mkpath(atleta);
    FogliDiCalcoloFile fogli;
    const QString nome = QStringLiteral("Anna Riva");
    // A CMJ test every two weeks from September, the athlete slowly getting higher; squat jumps now and then.
    const QDateTime inizio(QDate(2024, 9, 9), QTime(17, 30));
    for (int i = 0; i < 10; ++i) {
        const QDateTime quando = inizio.addDays(14 * i).addSecs(60 * (i % 3) * 7);
        prove_finte::scrivi_archivio(atleta, nome, QStringLiteral("CMJ"), quando,
                                     prove_finte::salti(12 + i % 4, 540 + 4 * i, static_cast<unsigned>(i + 3)));
        if (i % 3 == 1)
            prove_finte::scrivi_archivio(atleta, nome, QStringLiteral("Squat Jump"), quando.addSecs(1200),
                                         prove_finte::salti(8, 520 + 3 * i, static_cast<unsigned>(i + 40)));
    }
    prove_finte::scrivi_cartella(fogli, QDir(atleta).filePath(QStringLiteral("CMJ pre-gara.xlsx")), nome,
                                 QStringLiteral("CMJ"), inizio.addDays(150), prove_finte::salti(15, 585, 99));
    QFile estranea(QDir(atleta).filePath(QStringLiteral("pesi.csv")));
    if (estranea.open(QIODevice::WriteOnly)) estranea.write("Data;Peso\r\n2024-09-09;61,5\r\n");
    estranea.close();

    ModelloProva prova;
    SessioneAtleta sessione;
    sessione.squadra = QStringLiteral("Juniores");
    sessione.nome_utente = nome;
    sessione.cartella_utente = atleta;
    IntestazioneStampata intestazione(sessione, prova);
    DialogoFileQt dialogo;
    MessaggiQt messaggi;
    ComandiFile comandi(prova, sessione, intestazione, dialogo, messaggi, fogli);
    Frm_storico finestra(ServiziStorico{sessione, comandi, fogli, dialogo, messaggi, new GraficoSerieQt,
                                        new GraficoSerieQt, QDir(dir.path()).filePath(QStringLiteral("ini/storico"))});
    dialogo.imposta_genitore(&finestra);
    messaggi.imposta_genitore(&finestra);
    finestra.resize(1180, 800);
    finestra.mostra();

    // Once every file is read: the newest three CMJ tests chosen.
    QObject::connect(&finestra.storico(), &StoricoAtleta::lettura_finita, &finestra, [&] {
        ModelloStorico& m = finestra.modello();
        QItemSelection scelte;
        int prese = 0;
        for (int r = 0; r < m.rowCount() && prese < 3; ++r) {
            const ProvaStorico* p = m.prova(r);
            if (!p || !p->letta() || p->esercizio != QLatin1String("CMJ")) continue;
            scelte.select(m.index(r, 0), m.index(r, m.columnCount() - 1));
            if (prese == 0) finestra.List_prove->setCurrentIndex(m.index(r, 0));
            ++prese;
        }
        finestra.List_prove->selectionModel()->select(scelte, QItemSelectionModel::ClearAndSelect);
    }, Qt::SingleShotConnection);

    if (foto.isEmpty()) return app.exec();
    QTimer::singleShot(1500, &app, [&] {
        const bool ok = finestra.grab().save(foto);
        std::printf("%s %s\n", ok ? "saved" : "could not save", qPrintable(foto));
        app.exit(ok ? 0 : 1);
    });
    return app.exec();
}
