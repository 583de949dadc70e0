#pragma once

#include "core/cartelle_programma.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/stato_collegamento.h"
#include "tools/risultati_medie.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class ArchivioImpostazioni;
class ArchivioProve;
class AvvioProgrammi;
class Beep;
class CasellaInput;
class CollegamentoSeriale;
class ComandiFile;
class ComandiRapporto;
class ContatoreTick;
class DialogoFile;
class DialogoStampa;
class Domande;
class FogliDiCalcolo;
class Frm_cmd;
class Frm_configura;
class Frm_hid;
class Frm_grafici;
class Frm_intestazione;
class Frm_main;
class Frm_medie;
class Frm_storico;
class IstanzaCrono;
class LibreriaHid;
class Messaggi;
class PortaSeriale;
class SchedaHidSimulata;
class TrasportoHid;

// What the program is started with. Every service left empty is the real one;
// tests hand in fakes.
struct OpzioniAvvio {
    bool demo = false;                  // a simulated HID board is plugged in
    QString cartella_programma;         // empty: the program's own folder, or the user's data folder
    ArchivioImpostazioni* archivio = nullptr;
    LibreriaHid* libreria_hid = nullptr;
    std::function<std::unique_ptr<PortaSeriale>()> porta_seriale;
    Messaggi* messaggi = nullptr;
    CasellaInput* casella = nullptr;
    DialogoFile* dialogo_file = nullptr;
    DialogoStampa* dialogo_stampa = nullptr;
    Domande* domande = nullptr;
    Beep* beep = nullptr;
    AvvioProgrammi* avvio_programmi = nullptr;
    const ContatoreTick* contatore = nullptr;
    // The last start-up step: the configuration dialog shown modally. Tests answer it.
    std::function<void(Frm_configura&)> configurazione_modale;
    // Called once the main window has closed and its close sequence has run.
    std::function<void()> alla_chiusura;
};

// The whole program: the test and its state (split by owner: the test model, the
// athlete session, the board link state, the program folders, the averages), the
// board links, the main window with its panels, and the tool windows, wired
// together. `avvia` runs the start-up.
class Applicazione {
public:
    explicit Applicazione(OpzioniAvvio opzioni = {});
    ~Applicazione();
    Applicazione(const Applicazione&) = delete;
    Applicazione& operator=(const Applicazione&) = delete;

    // The start-up sequence: settings, the HID window and its pause, serial
    // detection when no HID board spoke, the main window, the switch on when the
    // serial board answered, the configuration dialog, and the offer of the tests
    // a run that died left unfinished.
    void avvia();

    ModelloProva& prova() { return prova_; }
    SessioneAtleta& sessione() { return sessione_; }
    StatoCollegamento& collegamento() { return collegamento_; }
    const CartelleProgramma& cartelle() const { return cartelle_; }
    const RisultatiMedie& risultati_medie() const { return risultati_medie_; }
    Frm_main& principale() { return *principale_; }
    Frm_grafici& grafici() { return *grafici_; }
    Frm_intestazione& intestazione() { return *intestazione_; }
    Frm_cmd& comandi() { return *comandi_; }
    TrasportoHid& hid() { return *hid_; }
    CollegamentoSeriale& seriale() { return *seriale_; }
    Frm_configura& configurazione();
    ComandiFile& file() { return *file_; }
    ComandiRapporto& rapporto() { return *rapporto_; }
    ArchivioProve& archivio_prove() { return *archivio_prove_; }
    Frm_medie& medie();
    Frm_storico& storico();
    IstanzaCrono& crono() { return *crono_; }
    SchedaHidSimulata* scheda_simulata() { return scheda_simulata_.get(); }

    // The order in which the panels were last laid out (header, jump panel, commands).
    const QStringList& ordine_riposizionamento() const;

private:
    void crea_servizi();
    void crea_finestre();
    void mostra_medie(bool parziali);
    void apri_con_excel();
    void chiusura();
    void ripristina();

    OpzioniAvvio opzioni_;
    ModelloProva prova_;
    SessioneAtleta sessione_;
    StatoCollegamento collegamento_;
    CartelleProgramma cartelle_;
    RisultatiMedie risultati_medie_;

    std::unique_ptr<ArchivioImpostazioni> archivio_proprio_;
    std::unique_ptr<SchedaHidSimulata> scheda_simulata_;
    std::unique_ptr<LibreriaHid> libreria_propria_;
    std::unique_ptr<Messaggi> messaggi_propri_;
    std::unique_ptr<CasellaInput> casella_propria_;
    std::unique_ptr<DialogoFile> dialogo_proprio_;
    std::unique_ptr<DialogoStampa> stampa_propria_;
    std::unique_ptr<Domande> domande_proprie_;
    std::unique_ptr<Beep> beep_proprio_;
    std::unique_ptr<AvvioProgrammi> avvio_proprio_;
    std::unique_ptr<FogliDiCalcolo> fogli_;

    ArchivioImpostazioni* archivio_ = nullptr;
    LibreriaHid* libreria_ = nullptr;
    Messaggi* messaggi_ = nullptr;
    CasellaInput* casella_ = nullptr;
    DialogoFile* CmDlg_ = nullptr;
    DialogoStampa* stampa_ = nullptr;
    Domande* domande_ = nullptr;
    Beep* beep_ = nullptr;
    AvvioProgrammi* avvio_ = nullptr;
    const ContatoreTick* contatore_ = nullptr;

    std::unique_ptr<ArchivioProve> archivio_prove_;
    std::unique_ptr<Frm_hid> finestra_hid_;
    std::unique_ptr<TrasportoHid> hid_;
    std::unique_ptr<CollegamentoSeriale> seriale_;
    std::unique_ptr<Frm_main> principale_;
    Frm_grafici* grafici_ = nullptr;
    Frm_intestazione* intestazione_ = nullptr;
    Frm_cmd* comandi_ = nullptr;
    std::unique_ptr<ComandiFile> file_;
    std::unique_ptr<ComandiRapporto> rapporto_;
    Frm_configura* configurazione_ = nullptr;
    Frm_medie* medie_ = nullptr;
    Frm_storico* storico_ = nullptr;
    std::unique_ptr<IstanzaCrono> crono_;
    QStringList ordine_;
};
