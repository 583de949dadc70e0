// The whole program in a demo test, photographed: starts as `hopa --demo` does (the
// simulated HID board plugged in, the main window placed on this screen), names an
// athlete, switches the test on, lets the simulated athlete jump and saves a picture
// of the main window. Settings and register go to a temporary folder.
//   sim_schermata picture.png [number of jumps]
#include "app/applicazione.h"
#include "app/frm_main.h"
#include "athletes/frm_intestazione.h"
#include "adapters/system/archivio_qsettings.h"
#include "display/frm_cmd.h"
#include "sim/servizi_muti.h"

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: sim_schermata immagine.png [salti]\n");
        return 2;
    }
    const QString foto = QString::fromLocal8Bit(argv[1]);
    const int salti = argc > 2 ? std::max(1, std::atoi(argv[2])) : 12;
    QApplication::setQuitOnLastWindowClosed(false);

    QTemporaryDir cartella;
    auto archivio = ArchivioQSettings::in_file(cartella.filePath(QStringLiteral("hopa.conf")));
    BeepMuto beep;
    OpzioniAvvio opzioni;
    opzioni.demo = true;
    opzioni.cartella_programma = cartella.path();
    opzioni.archivio = archivio.get();
    opzioni.beep = &beep;
    opzioni.configurazione_modale = [](Frm_configura&) {};  // the athlete is named below
    Applicazione programma(std::move(opzioni));
    programma.avvia();
    programma.sessione().nome_utente = QStringLiteral("Mario Rossi");
    programma.sessione().macchina_utente = QStringLiteral("CMJ");
    programma.intestazione().Aggiorna_intestazione();
    programma.comandi().Button_On->setValue(true);

    QTimer attesa;
    QObject::connect(&attesa, &QTimer::timeout, &app, [&] {
        if (programma.prova().numero() < salti) return;
        attesa.stop();
        // A moment for the last point to be drawn.
        QTimer::singleShot(400, &app, [&] {
            const bool ok = programma.principale().grab().save(foto);
            std::printf("%s %s (%dx%d)\n", ok ? "saved" : "could not save", qPrintable(foto),
                        programma.principale().width(), programma.principale().height());
            app.exit(ok ? 0 : 1);
        });
    });
    attesa.start(100);
    return app.exec();
}
