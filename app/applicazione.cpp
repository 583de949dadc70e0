#include "app/applicazione.h"

#include "app/avviso_accesso.h"
#include "app/frm_main.h"
#include "app/geometria_principale.h"
#include "app/testo_informazioni.h"
#include "athletes/frm_configura.h"
#include "athletes/frm_intestazione.h"
#include "board/collegamento_seriale.h"
#include "board/frm_hid.h"
#include "board/frm_seriale.h"
#include "board/trasporto_hid.h"
#include "core/impostazioni.h"
#include "core/pausa.h"
#include "ui/cadenza_pittura.h"
#include "ui/disposizione.h"
#include "display/frm_cmd.h"
#include "display/frm_grafici.h"
#include "files/archivio_prove.h"
#include "files/comandi_file.h"
#include "history/frm_storico.h"
#include "report/comandi_rapporto.h"
#include "files/giornali_prove.h"
#include "files/ripristino_prove.h"
#include "adapters/system/archivio_qsettings.h"
#include "adapters/system/avvio_programmi_sistema.h"
#include "adapters/qt/beep_audio.h"
#include "adapters/system/cartella_programma.h"
#include "adapters/qt/dialoghi_qt.h"
#include "adapters/qt/dialogo_stampa_qt.h"
#include "adapters/qt/grafico_qt.h"
#include "adapters/qt/grafico_serie_qt.h"
#include "adapters/serial/porta_seriale_qt.h"
#include "adapters/workbook/fogli_file.h"
#include "adapters/hid/hid_sistema.h"
#include "platform/orologio.h"
#include "sim/scheda_hid_simulata.h"
#include "tools/frm_crono.h"
#include "tools/frm_medie.h"
#include "tools/istanza_crono.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSizeF>

namespace {
// The service handed in, or else one of the program's own, kept in `proprio`.
template <class Proprio, class Interfaccia, class... Argomenti>
Interfaccia* usa_o_crea(Interfaccia* dato, std::unique_ptr<Interfaccia>& proprio, Argomenti&&... argomenti) {
    if (dato) return dato;
    proprio = std::make_unique<Proprio>(std::forward<Argomenti>(argomenti)...);
    return proprio.get();
}

// Runs one step of a sequence whose failures are passed over.
template <class F>
void passo(F&& f) {
    try {
        f();
    } catch (...) {
    }
}
}  // namespace

Applicazione::Applicazione(OpzioniAvvio opzioni)
    : opzioni_(std::move(opzioni)) {
    crea_servizi();
}

Applicazione::~Applicazione() {
    // Windows first: they refer to the links and services below.
    crono_.reset();
    rapporto_.reset();
    file_.reset();
    QObject::disconnect(&collegamento_, nullptr, nullptr, nullptr);
    principale_.reset();
    seriale_.reset();
    hid_.reset();
    finestra_hid_.reset();
    archivio_prove_.reset();
}

void Applicazione::crea_servizi() {
    archivio_ = usa_o_crea<ArchivioQSettings>(opzioni_.archivio, archivio_proprio_, titolo_applicazione);
    messaggi_ = usa_o_crea<MessaggiQt>(opzioni_.messaggi, messaggi_propri_);
    casella_ = usa_o_crea<CasellaInputQt>(opzioni_.casella, casella_propria_);
    CmDlg_ = usa_o_crea<DialogoFileQt>(opzioni_.dialogo_file, dialogo_proprio_);
    stampa_ = usa_o_crea<DialogoStampaQt>(opzioni_.dialogo_stampa, stampa_propria_);
    domande_ = usa_o_crea<DomandeQt>(opzioni_.domande, domande_proprie_);
    beep_ = usa_o_crea<BeepAudio>(opzioni_.beep, beep_proprio_);
    avvio_ = usa_o_crea<AvvioProgrammiSistema>(opzioni_.avvio_programmi, avvio_proprio_);
    contatore_ = opzioni_.contatore ? opzioni_.contatore : &contatore_di_sistema();
    libreria_ = opzioni_.libreria_hid;
    if (!libreria_ && opzioni_.demo) {
        scheda_simulata_ = std::make_unique<SchedaHidSimulata>(SorgenteSalti(QDateTime::currentSecsSinceEpoch()));
        scheda_simulata_->inserisci();
        libreria_ = scheda_simulata_.get();
    }
    if (!libreria_) {
        libreria_propria_ = nuova_libreria_hid_di_sistema();
        libreria_ = libreria_propria_.get();
    }
    fogli_ = std::make_unique<FogliDiCalcoloFile>();
    // Every completed jump beeps, before the views show it.
    QObject::connect(&prova_, &ModelloProva::salto_completato, &prova_, [this] { beep_->suona(); });
}

void Applicazione::crea_finestre() {
    finestra_hid_ = std::make_unique<Frm_hid>();
    hid_ = std::make_unique<TrasportoHid>(collegamento_, sessione_, prova_, *libreria_, finestra_hid_.get());
    std::unique_ptr<PortaSeriale> porta;
    std::function<QString(int)> descrivi_porta;
    if (opzioni_.porta_seriale) {
        porta = opzioni_.porta_seriale();
    } else {
        // Every port number reaches the device of "Properties"/"PortPath" when one is set.
        auto sistema = nuova_porta_di_sistema(
            [a = archivio_] { return a->leggi(chiavi::proprieta, chiavi::port_path, QString()); });
        descrivi_porta = [q = sistema.get()](int n) { return q->dispositivo(n); };
        porta = std::move(sistema);
    }
    seriale_ = std::make_unique<CollegamentoSeriale>(collegamento_, *archivio_, *messaggi_, *beep_, sessione_, prova_,
                                                     hid_.get(), *contatore_, std::move(porta));
    seriale_->imposta_fabbrica_finestra([](const frm_seriale::Servizi& s) { return new frm_seriale(s); });
    seriale_->descrivi_porta = std::move(descrivi_porta);

    AzioniMenu menu;
    menu.apri = [this] { file_->mnuFileApri(); };
    menu.apri_csv = [this] { file_->apri_file_csv(); };
    menu.apri_excel = [this] { apri_con_excel(); };
    menu.salva_dati = [this] { file_->mnuFileSalva_dati(); };
    menu.esporta_rapporto = [this] { rapporto_->mnuFileEsporta_rapporto(); };
    menu.stampa_rapporto = [this] { rapporto_->mnuFileStampa_rapporto(); };
    menu.configura = [this] { configurazione().mostra(); };
    menu.parametri_porta = [this] { seriale_->mostra_finestra(); };
    menu.calcolo_medie = [this] { mostra_medie(false); };
    menu.medie_parziali = [this] { mostra_medie(true); };
    menu.storico = [this] { storico().mostra(); };
    menu.cronometro = [this] {
        Frm_crono* f = crono_->finestra();
        f->show();
        f->raise();
    };
    menu.calcolatrice = [this] { avvio_->avvia_calcolatrice(); };
    menu.informazioni = [this] {
        messaggi_->mostra(testo_informazioni(collegamento_.testo_versione, cartelle_.programma, sessione_.cartella_utente),
                          titolo_applicazione, Icona::Informazione);
    };
    principale_ = std::make_unique<Frm_main>(menu);
    // A live test changes the window at the board's rate: it is painted at the screen's.
    new CadenzaPittura(principale_.get());
    if (const QScreen* schermo = QGuiApplication::primaryScreen())
        principale_->setGeometry(geometria_principale(schermo->availableGeometry()));
    // Qt's dialogs open over the main window; a stand-in handed in is left as it is.
    const auto sopra_principale = [this](auto* servizio) {
        if (auto* g = dynamic_cast<ConGenitore*>(servizio)) g->imposta_genitore(principale_.get());
    };
    sopra_principale(messaggi_);
    sopra_principale(casella_);
    sopra_principale(CmDlg_);
    sopra_principale(stampa_);
    sopra_principale(domande_);
    mostra_avvisi_accesso(*libreria_, *messaggi_, *principale_, titolo_applicazione);

    // Whoever changes the connection text sets the main caption through this.
    QObject::connect(&collegamento_, &StatoCollegamento::didascalia_cambiata, principale_.get(),
                     [this](const QString& t) { principale_->setWindowTitle(t); });

    QWidget* area = principale_->area();
    Frm_main* fm = principale_.get();
    DimensioniClient client = [fm] { return QSizeF(fm->larghezza_client(), fm->altezza_client()); };

    // Load of the main window: command panel, jump panel, header panel.
    AzioniComandi azioni;
    azioni.salva = [this] { file_->mnuFileSalva_dati(); };
    azioni.medie = [this] { mostra_medie(false); };
    azioni.set_assi = [this] { grafici_->mostra_assi(); };
    azioni.crono = menu.cronometro;
    azioni.calcolatrice = menu.calcolatrice;
    grafici_ = new Frm_grafici(prova_, *casella_, new GraficoQt, client, area);
    comandi_ = new Frm_cmd(collegamento_, *grafici_, *seriale_, azioni, area);
    // A serial board lost in the middle of a test switches the test off.
    seriale_->alla_perdita = [this] { comandi_->Button_On->setValue(false); };
    QObject::connect(comandi_, &Frm_cmd::acquisizione_cambiata, archivio_prove_.get(), &ArchivioProve::acquisizione);
    intestazione_ = new Frm_intestazione(sessione_, *grafici_, client, area);
    intestazione_->imposta_apri_configurazione([this] { configurazione().mostra(); });
    grafici_->imposta_menu_strumenti(principale_->mnuStrumenti);

    file_ = std::make_unique<ComandiFile>(prova_, sessione_, *intestazione_, *CmDlg_, *messaggi_, *fogli_,
                                          principale_.get());
    rapporto_ = std::make_unique<ComandiRapporto>(prova_, sessione_, collegamento_.testo_versione, *CmDlg_, *stampa_,
                                                  *messaggi_, principale_.get());
    crono_ = std::make_unique<IstanzaCrono>([this] { return new Frm_crono(*contatore_, *beep_, *casella_); });

    principale_->al_ridimensionamento = [this](double mw, double mh) {
        ordine_.clear();
        passo([&] { intestazione_->riposiziona(mw, mh); });
        ordine_ << QStringLiteral("intestazione");
        passo([&] { grafici_->riposiziona(mw, mh); });
        ordine_ << QStringLiteral("grafici");
        passo([&] {
            comandi_->riposiziona({mw, mh, disposizione::alto(grafici_) + disposizione::altezza(grafici_)});
        });
        ordine_ << QStringLiteral("comandi");
    };
    principale_->passi_chiusura = {
        [this] { crono_->chiudi(); },
        [this] { seriale_->chiudi(); },
        [this] {
            if (configurazione_) configurazione_->chiudi();
        },
        [this] {
            if (storico_) storico_->close();
        },
        [this] { hid_->scarica(); },
        [this] { salva_impostazioni(sessione_, *archivio_); },
        [this] { archivio_prove_->chiudi(); },
    };
    QObject::connect(principale_.get(), &Frm_main::chiusa, principale_.get(), [this] {
        if (opzioni_.alla_chiusura) opzioni_.alla_chiusura();
    });
    principale_->riposiziona_pannelli();
}

const QStringList& Applicazione::ordine_riposizionamento() const { return ordine_; }

Frm_configura& Applicazione::configurazione() {
    if (!configurazione_)
        configurazione_ =
            new Frm_configura(sessione_, cartelle_, *archivio_, *messaggi_, *casella_, *intestazione_, principale_.get());
    return *configurazione_;
}

Frm_medie& Applicazione::medie() {
    if (!medie_) {
        medie_ = new Frm_medie(risultati_medie_, prova_, *grafici_, *messaggi_, principale_.get());
        medie_->setWindowFlag(Qt::Window, true);
    }
    return *medie_;
}

Frm_storico& Applicazione::storico() {
    if (!storico_)
        storico_ = new Frm_storico(ServiziStorico{sessione_, *file_, *fogli_, *CmDlg_, *messaggi_, new GraficoSerieQt,
                                                  new GraficoSerieQt, cartelle_.cartella_ini() + QStringLiteral("/storico")},
                                   principale_.get());
    return *storico_;
}

void Applicazione::mostra_medie(bool parziali) {
    Frm_medie& m = medie();
    m.colloca(principale_->area()->width(), principale_->area()->mapToGlobal(QPoint(0, 0)));
    m.Calcolo_Medie(parziali);
    m.show();
    m.raise();
}

void Applicazione::apri_con_excel() {
    if (auto percorso = file_->apri_excel()) avvio_->apri_documento(*percorso);
}

void Applicazione::avvia() {
    // The caption texts and the test with its placeholder come with their owners.
    cartelle_.programma =
        opzioni_.cartella_programma.isEmpty() ? trova_cartella_programma() : opzioni_.cartella_programma;
    carica_impostazioni(sessione_, *archivio_);
    // Listens to the test before the views do: a jump is on disk before its row is shown.
    archivio_prove_ = std::make_unique<ArchivioProve>(prova_, sessione_, cartelle_, *messaggi_);
    collegamento_.hid_connesso = false;
    collegamento_.invio_seriale = false;
    crea_finestre();

    // The HID window: an attached board announces itself during the pause.
    hid_->mostra();
    QCoreApplication::processEvents();
    pausa(500, *contatore_);

    if (!collegamento_.hid_connesso) {
        seriale_->rileva_all_avvio();
    } else {
        hid_->nascondi();
        beep_->suona();
        passo([&] { seriale_->nascondi_finestra(); });
        QCoreApplication::processEvents();
    }

    principale_->setWindowTitle(collegamento_.testo_versione);
    principale_->show();
    principale_->setWindowTitle(collegamento_.didascalia());
    if (collegamento_.connesso) comandi_->Button_On->setValue(true);

    if (opzioni_.configurazione_modale) opzioni_.configurazione_modale(configurazione());
    else configurazione().mostra_modale();
    ripristina();
}

void Applicazione::ripristina() {
    ServiziRipristino s{*messaggi_, *domande_,
                        [this] {
                            if (comandi_->Button_On->Value()) comandi_->Button_On->setValue(false);
                        },
                        [this](const QString& csv) { return file_->apri_file_csv(csv); }};
    ripristina_prove_interrotte(archivio_prove_->registro(),
                                {giornali_prove::cartella_prove(sessione_.cartella_utente, cartelle_.programma),
                                 giornali_prove::cartella_prove(QString(), cartelle_.programma)},
                                archivio_prove_->processo(), s);
}
