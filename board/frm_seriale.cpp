#include "board/frm_seriale.h"

#include "board/apertura_porta.h"
#include "board/impostazioni_linea.h"
#include "board/protocollo_scheda.h"
#include "core/impostazioni.h"
#include "core/stato_collegamento.h"
#include "platform/archivio_impostazioni.h"
#include "platform/beep.h"
#include "platform/dialoghi.h"
#include "platform/porta_seriale.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

frm_seriale::frm_seriale(Servizi servizi, QWidget* genitore) : QWidget(genitore, Qt::Window), s_(std::move(servizi)) {
    setObjectName(QStringLiteral("frm_seriale"));
    setWindowTitle(QStringLiteral("Porta seriale"));
    costruisci();
    // Window load: centred, settings read, settings shown.
    adjustSize();
    if (const QScreen* sc = QGuiApplication::primaryScreen()) {
        const QRect r = sc->availableGeometry();
        move(r.center() - rect().center());
    }
    Leggi_impostazioni(s_.porta, s_.archivio);
    LoadPropertySettings();
    mostra_dispositivo();
}

void frm_seriale::costruisci() {
    auto combo = [this](const char* nome) {
        auto* c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(nome));
        return c;
    };
    cboPort_ = combo("cboPort");
    cboSpeed_ = combo("cboSpeed");
    cboDataBits_ = combo("cboDataBits");
    cboParity_ = combo("cboParity");
    cboStopBits_ = combo("cboStopBits");
    Lbl_info_ = new QLabel(this);
    Lbl_info_->setObjectName(QStringLiteral("Lbl_info"));
    Cmd_Auto_ = new QPushButton(QStringLiteral("Auto Set"), this);
    Cmd_Auto_->setObjectName(QStringLiteral("Cmd_Auto"));
    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel_ = new QPushButton(QStringLiteral("Annulla"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));

    auto* griglia = new QGridLayout;
    const std::pair<const char*, QComboBox*> righe[] = {{"Porta", cboPort_},          {"Velocità", cboSpeed_},
                                                        {"Bit di dati", cboDataBits_}, {"Parità", cboParity_},
                                                        {"Bit di stop", cboStopBits_}};
    int r = 0;
    for (const auto& [testo, c] : righe) {
        griglia->addWidget(new QLabel(QString::fromUtf8(testo), this), r, 0);
        griglia->addWidget(c, r++, 1);
    }

    auto* fraEcho = new QGroupBox(QStringLiteral("Eco"), this);
    fraEcho->setObjectName(QStringLiteral("fraEcho"));
    auto* le = new QVBoxLayout(fraEcho);
    const char* testi_eco[] = {"Disattivata", "Attivata"};
    for (int i = 0; i < 2; ++i) {
        optEcho_[i] = new QRadioButton(QString::fromLatin1(testi_eco[i]), fraEcho);
        optEcho_[i]->setObjectName(QStringLiteral("optEcho_%1").arg(i));
        le->addWidget(optEcho_[i]);
        connect(optEcho_[i], &QRadioButton::clicked, this, [this, i] { eco_ = i == 1; });
    }
    auto* fraFlow = new QGroupBox(QStringLiteral("Controllo di flusso"), this);
    fraFlow->setObjectName(QStringLiteral("fraFlow"));
    auto* lf = new QVBoxLayout(fraFlow);
    const char* testi_flusso[] = {"Nessuno", "Xon/Xoff", "Hardware"};
    for (int i = 0; i < 3; ++i) {
        optFlow_[i] = new QRadioButton(QString::fromLatin1(testi_flusso[i]), fraFlow);
        optFlow_[i]->setObjectName(QStringLiteral("optFlow_%1").arg(i));
        lf->addWidget(optFlow_[i]);
    }

    auto* opzioni = new QHBoxLayout;
    opzioni->addWidget(fraEcho);
    opzioni->addWidget(fraFlow);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(Cmd_Auto_);
    pulsanti->addStretch();
    pulsanti->addWidget(cmdOK_);
    pulsanti->addWidget(cmdCancel_);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(griglia);
    tutto->addLayout(opzioni);
    tutto->addWidget(Lbl_info_);
    tutto->addLayout(pulsanti);

    connect(cmdOK_, &QPushButton::clicked, this, &frm_seriale::cmdOK_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frm_seriale::cmdCancel_Click);
    connect(Cmd_Auto_, &QPushButton::clicked, this, &frm_seriale::Cmd_Auto_Click);
    connect(cboPort_, &QComboBox::activated, this, [this] { mostra_dispositivo(); });
}

void frm_seriale::riempi_liste() {
    for (int i = 1; i <= 16; ++i) cboPort_->addItem(QStringLiteral("Com%1").arg(i));
    cboSpeed_->addItems({"110", "300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "28800", "38400",
                         "56000", "57600", "115200", "128000", "256000"});
    cboDataBits_->addItems({"4", "5", "6", "7", "8"});
    cboParity_->addItems({"Even", "Odd", "Nessuna", "Mark", "Space"});
    cboStopBits_->addItems({"1", "1,5", "2"});
    liste_piene_ = true;
}

void frm_seriale::LoadPropertySettings() {
    if (!liste_piene_) riempi_liste();
    const SceltaLinea l = scomponi_impostazioni(s_.porta.impostazioni());
    cboSpeed_->setCurrentIndex(cboSpeed_->findText(l.velocita));
    cboParity_->setCurrentIndex(l.parita);
    cboDataBits_->setCurrentIndex(cboDataBits_->findText(l.bit_dati));
    cboStopBits_->setCurrentIndex(cboStopBits_->findText(l.bit_stop));
    const int p = s_.porta.numero_porta() - 1;
    cboPort_->setCurrentIndex(p >= 0 && p < cboPort_->count() ? p : -1);
    const int f = static_cast<int>(s_.porta.handshaking());
    optFlow_[f == 0 ? 0 : f == 1 ? 1 : 2]->setChecked(true);
    optEcho_[eco_ ? 1 : 0]->setChecked(true);
}

void frm_seriale::mostra_dispositivo() {
    const int n = cboPort_->currentIndex() + 1;
    if (n < 1 || !s_.descrivi_porta) return;
    const QString dev = s_.descrivi_porta(n);
    Lbl_info_->setText(dev.isEmpty() ? QStringLiteral("Com%1: nessun dispositivo").arg(n)
                                     : QStringLiteral("Com%1: %2").arg(n).arg(dev));
}

void frm_seriale::cmdOK_Click() {
    const int nuovo = cboPort_->currentIndex() + 1;
    PortaSeriale& porta = s_.porta;
    if (nuovo >= 1 && nuovo != porta.numero_porta()) {
        const int vecchio = porta.numero_porta();
        const bool era_aperta = porta.aperta();
        if (era_aperta) chiudi_porta(porta, s_.stato);
        std::optional<ErrorePorta> e = porta.imposta_numero_porta(nuovo);
        if (!e && era_aperta) e = apri_porta(porta, s_.stato);
        if (e) {
            s_.messaggi.mostra(e->descrizione, titolo_applicazione, Icona::Esclamazione);
            if (porta.aperta()) chiudi_porta(porta, s_.stato);
            porta.imposta_numero_porta(vecchio);
            // The old port was in use: give it back as it was.
            if (era_aperta) apri_porta(porta, s_.stato);
        }
    }
    s_.archivio.scrivi(chiavi::proprieta, chiavi::comm_port, QString::number(porta.numero_porta()));
    hide();
}

void frm_seriale::cmdCancel_Click() { close(); }

void frm_seriale::closeEvent(QCloseEvent* e) {
    if (ricerca_) {  // the search owns the port until it ends
        e->ignore();
        return;
    }
    e->accept();
    if (alla_chiusura) alla_chiusura();
}

void frm_seriale::Cmd_Auto_Click() {
    if (ricerca_) return;
    ricerca_ = true;
    Cmd_Auto_->setEnabled(false);
    cmdOK_->setEnabled(false);
    cmdCancel_->setEnabled(false);
    QPointer<frm_seriale> io(this);
    StatoCollegamento& st = s_.stato;
    PortaSeriale& porta = s_.porta;
    // The port is closed and moved at once: whatever board was known before is
    // known no longer unless a port answers.
    bool trovata = false;
    int n = 1;
    for (; n <= 10; ++n) {
        Lbl_info_->setText(QStringLiteral("Connessione a com%1").arg(n));
        chiudi_porta(porta, st);
        porta.imposta_numero_porta(n);
        apri_porta(porta, st);
        if (porta.aperta()) trovata = s_.protocollo.trova_scheda();
        st.connesso = trovata;
        if (!io) return;
        if (trovata) break;
    }
    if (trovata) {
        s_.beep.suona();
        LoadPropertySettings();
        Lbl_info_->setText(QStringLiteral("Scheda connessa su com%1").arg(n));
        hide();
    } else {
        Lbl_info_->setText(QStringLiteral("Scheda non trovata!"));
    }
    Cmd_Auto_->setText(QStringLiteral("Auto Set"));
    Cmd_Auto_->setEnabled(true);
    cmdOK_->setEnabled(true);
    cmdCancel_->setEnabled(true);
    ricerca_ = false;
    st.aggiorna_didascalia();
}
