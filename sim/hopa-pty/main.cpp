// The whole program on the simulated serial board, printing what it shows: the
// archive's kill test runs it, kills it, and runs it again.
//
//   hopa-pty CARTELLA BOARD-SIM [seme]
//
// Starts board-sim (a seeded athlete at 240 frames/s) on a pseudo-terminal, then
// the program with its register and test archive in CARTELLA; every interrupted
// test offered is restored. It prints, flushing each line:
//   "R <k> <six fields>"   each jump of the test shown once start-up is over
//   "ACCESO"               acquisition is on (switched on again after a restore)
//   "S <k> <six fields>"   each row as it is shown
//   "MESSAGGIO <text>"     each message box (a start that fails is tried again)
// The six fields are t_volo, altezza, t_contatto, s_acc, potenza, n_rip, each as
// the 16 hex digits of its bits.
#include "app/applicazione.h"
#include "athletes/frm_configura.h"
#include "display/frm_cmd.h"
#include "display/frm_grafici.h"
#include "display/lista_salti.h"
#include "platform/dialoghi.h"
#include "sim/servizi_muti_avvio.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace {

void stampa(const char* tipo, int32_t k, const Salto& s) {
    const double v[6] = {s.t_volo, s.altezza, s.t_contatto, s.s_acc, s.potenza, s.n_rip};
    std::printf("%s %d", tipo, k);
    for (double x : v) {
        uint64_t b = 0;
        std::memcpy(&b, &x, sizeof b);
        std::printf(" %016" PRIx64, b);
    }
    std::printf("\n");
    std::fflush(stdout);
}

// Each message box as a line of its own on standard output, for the kill test.
struct MessaggiRiferiti : Messaggi {
    void mostra(const QString& t, const QString&, Icona) override {
        std::printf("MESSAGGIO %s\n", qPrintable(QString(t).replace(u'\n', u' ')));
        std::fflush(stdout);
    }
};
struct Ripristina : Domande {
    int scegli(const QString&, const QString&, const QStringList&) override { return 0; }
};

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const QStringList a = qapp.arguments();
    if (a.size() < 3) {
        std::fprintf(stderr, "uso: hopa-pty CARTELLA BOARD-SIM [seme]\n");
        return 2;
    }
    QProcess scheda;
    scheda.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    scheda.start(a[2], {"--seme", a.size() > 3 ? a[3] : QStringLiteral("1"), "--frequenza", "240"});
    if (!scheda.waitForStarted(5000) || !scheda.waitForReadyRead(5000)) {
        std::fprintf(stderr, "hopa-pty: board-sim non parte\n");
        return 1;
    }
    const QString pty = QString::fromLocal8Bit(scheda.readLine()).trimmed();

    ServiziMuti s;  // nothing plugged in over HID
    s.archivio.scrivi("Properties", "PortPath", pty);
    MessaggiRiferiti messaggi;
    Ripristina domande;
    OpzioniAvvio o = s.opzioni(a[1]);
    o.messaggi = &messaggi;
    o.domande = &domande;
    o.alla_chiusura = [] { QCoreApplication::quit(); };
    Applicazione programma(std::move(o));
    programma.avvia();

    ModelloProva& prova = programma.prova();
    for (int32_t k = 1; k <= prova.numero(); ++k) stampa("R", k, prova.salti()[k]);
    QObject::connect(programma.grafici().lista(0)->model(), &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int primo, int ultimo) {
                         for (int r = primo; r <= ultimo; ++r) stampa("S", r + 1, prova.salti()[r + 1]);
                     });
    // Right after the stop of a restore the board's late echoes may still be on
    // the line: a start then fails as it would for a coach, who presses ON again.
    const auto aspetta = [] {
        QEventLoop attesa;
        QTimer::singleShot(300, &attesa, &QEventLoop::quit);
        attesa.exec();
    };
    if (!programma.collegamento().acquisizione) aspetta();
    for (int volte = 0; volte < 20 && !programma.collegamento().acquisizione; ++volte) {
        if (volte > 0) aspetta();
        programma.comandi().Button_On->setValue(true);
    }
    if (!programma.collegamento().acquisizione) {
        const StatoCollegamento& st = programma.collegamento();
        std::fprintf(stderr, "hopa-pty: acquisizione non avviata (interruttore %d, connesso %d, invio seriale %d)\n",
                     programma.comandi().Button_On->Value(), st.connesso, st.invio_seriale);
        return 1;
    }
    std::printf("ACCESO\n");
    std::fflush(stdout);
    return qapp.exec();
}
