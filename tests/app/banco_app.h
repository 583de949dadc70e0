#pragma once

// The whole program started against fakes: a private program folder and settings
// store, message, input and file boxes answered by the test, the simulated boards.

#include "app/applicazione.h"
#include "athletes/frm_configura.h"
#include "platform/archivio_impostazioni.h"
#include "platform/avvio_programmi.h"
#include "sim/scheda_hid_simulata.h"
#include "support/attesa.h"
#include "support/finti.h"
#include "support/stampa_finta.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class AvvioProgrammiFinto : public AvvioProgrammi {
public:
    bool avvia_calcolatrice() override {
        ++calcolatrici;
        return false;
    }
    bool apri_documento(const QString& p) override {
        documenti << p;
        return true;
    }
    int calcolatrici = 0;
    QStringList documenti;
};

struct BancoApp {
    QTemporaryDir cartella;
    ArchivioMemoria archivio;
    MessaggiFinti messaggi;
    CasellaInputFinta casella;
    DialogoFileFinto dialogo;
    DialogoStampaFinto stampa;
    DomandeFinte domande;
    BeepFinto beep;
    AvvioProgrammiFinto avvio;
    std::unique_ptr<SchedaHidSimulata> scheda;
    std::unique_ptr<Applicazione> app;
    int configurazioni_modali = 0;

    // A simulated HID board, plugged in, timing the records of `copione`.
    void con_scheda_hid(const QString& copione) {
        scheda = std::make_unique<SchedaHidSimulata>(*SorgenteSalti::da_script(copione));
        scheda->inserisci();
    }

    // The serial board found on `porta` (a simulated board's pty), stored as COM `com`.
    void con_scheda_seriale(const QString& porta, int com) {
        archivio.scrivi("Properties", "PortPath", porta);
        archivio.scrivi("Properties", "CommPort", QString::number(com));
    }

    void avvia(std::function<void(OpzioniAvvio&)> altro = {}) {
        OpzioniAvvio o;
        o.cartella_programma = cartella.path();
        o.archivio = &archivio;
        o.libreria_hid = scheda.get();
        o.messaggi = &messaggi;
        o.casella = &casella;
        o.dialogo_file = &dialogo;
        o.dialogo_stampa = &stampa;
        o.domande = &domande;
        o.beep = &beep;
        o.avvio_programmi = &avvio;
        o.configurazione_modale = [this](Frm_configura&) { ++configurazioni_modali; };
        if (altro) altro(o);
        if (!o.libreria_hid) {
            // No HID board at all: a simulated library with nothing plugged in.
            scheda = std::make_unique<SchedaHidSimulata>();
            o.libreria_hid = scheda.get();
        }
        app = std::make_unique<Applicazione>(std::move(o));
        app->avvia();
    }

    // Processes events until `fatto` holds or `ms` pass; returns whether it held.
    static bool attendi(const std::function<bool()>& fatto, int ms) { return ::attendi(fatto, ms); }
};
