#pragma once

// The whole program started with nobody at it: the silent services, settings in
// memory, the simulated HID library with nothing plugged in (unless the caller
// plugs its board in), and the start-up's configuration dialog passed over.
// Header only: whoever includes it links the app.

#include "app/applicazione.h"
#include "platform/archivio_impostazioni.h"
#include "sim/scheda_hid_simulata.h"
#include "sim/servizi_muti.h"

struct ServiziMuti {
    ArchivioMemoria archivio;
    MessaggiRaccolti messaggi;
    NessunaRisposta casella;
    NessunFile dialogo;
    BeepMuto beep;
    NessunProgramma programmi;
    SchedaHidSimulata scheda_hid;

    // The start-up options on these services, the program folder `cartella`.
    OpzioniAvvio opzioni(const QString& cartella) {
        OpzioniAvvio o;
        o.cartella_programma = cartella;
        o.archivio = &archivio;
        o.libreria_hid = &scheda_hid;
        o.messaggi = &messaggi;
        o.casella = &casella;
        o.dialogo_file = &dialogo;
        o.beep = &beep;
        o.avvio_programmi = &programmi;
        o.configurazione_modale = [](Frm_configura&) {};
        return o;
    }
};
