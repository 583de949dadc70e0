#include "athletes/frm_configura.h"

#include "core/titoli.h"
#include "platform/twips.h"

#include <QSignalBlocker>

#include <algorithm>

namespace {

// Designed geometry of row 0 and of the dialog, in twips.
constexpr double sinistra_etichetta = 240;
constexpr double larghezza_etichetta = 2500;
constexpr double sinistra_lista = 2880;
constexpr double larghezza_lista = 3600;
constexpr double alto_lista_0 = 300;
constexpr double sinistra_add = 6600;
constexpr double sinistra_elimina = 7800;
constexpr double larghezza_pulsante = 1080;
constexpr double larghezza_dialogo = 9120;
constexpr double distanza_righe = 150;

const std::array<QString, ultima_riga + 1> etichette = {
    QStringLiteral("Squadra"), QStringLiteral("Identificativo Atleta"), QStringLiteral("Identificativo Esercizio"),
    QStringLiteral("Tempo minimo Volo     (ms)"), QStringLiteral("Nota")};

QStringList voci(const QComboBox* c) {
    QStringList l;
    for (int j = 0; j < c->count(); ++j) l << c->itemText(j);
    return l;
}
}  // namespace

Frm_configura::Frm_configura(SessioneAtleta& sessione, const CartelleProgramma& cartelle,
                             ArchivioImpostazioni& impostazioni, Messaggi& messaggi,
                             CasellaInput& casella, VistaIntestazione& intestazione, QWidget* genitore)
    : QDialog(genitore),
      registro_(sessione, cartelle, impostazioni, messaggi, intestazione),
      casella_(casella),
      lbl_utente_(QStringLiteral("Lbl_utente"),
                  [this](int) {
                      auto* l = new QLabel(this);
                      l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                      return l;
                  }),
      txt_utente_(QStringLiteral("txt_utente"),
                  [this](int i) {
                      auto* c = new QComboBox(this);
                      c->setEditable(true);
                      c->setInsertPolicy(QComboBox::NoInsert);
                      c->setCompleter(nullptr);
                      connect(c, &QComboBox::activated, this, [this, i](int k) { registro_.seleziona(i, k); });
                      connect(c, &QComboBox::editTextChanged, this,
                              [this, i](const QString& testo) { registro_.digita(i, testo); });
                      return c;
                  }),
      cmd_add_(QStringLiteral("Cmd_add"),
               [this](int i) {
                   auto* b = new QPushButton(QStringLiteral("Nuovo"), this);
                   b->setAutoDefault(false);
                   connect(b, &QPushButton::clicked, this, [this, i] { Nuovo(i); });
                   return b;
               }),
      cmd_elimina_(QStringLiteral("Cmd_elimina"), [this](int i) {
          auto* b = new QPushButton(QStringLiteral("Elimina"), this);
          b->setAutoDefault(false);
          connect(b, &QPushButton::clicked, this, [this, i] { Elimina(i); });
          return b;
      }) {
    setObjectName(QStringLiteral("Frm_configura"));
    setWindowTitle(QStringLiteral("Impostazione dati esercizio"));

    // The designed row 0.
    lbl_utente_.ridimensiona(0);
    txt_utente_.ridimensiona(0);
    cmd_add_.ridimensiona(0);
    cmd_elimina_.ridimensiona(0);

    txt_nota_ = new QLineEdit(this);
    txt_nota_->setObjectName(QStringLiteral("Txt_nota"));
    txt_nota_->setToolTip(QStringLiteral("Inserire eventuale nota "));

    cmd_ok_ = new QPushButton(QStringLiteral("&Ok"), this);
    cmd_ok_->setObjectName(QStringLiteral("Cmd_ok"));
    cmd_ok_->setAutoDefault(false);
    connect(cmd_ok_, &QPushButton::clicked, this, &Frm_configura::Ok);
    cmd_annulla_ = new QPushButton(QStringLiteral("&Annulla"), this);
    cmd_annulla_->setObjectName(QStringLiteral("Cmd_annulla"));
    cmd_annulla_->setAutoDefault(false);
    connect(cmd_annulla_, &QPushButton::clicked, this, &Frm_configura::Annulla);

    QRect r0 = twips::rettangolo_pixel(sinistra_lista, alto_lista_0, larghezza_lista,
                                       twips::da_pixel(txt_utente_[0]->sizeHint().height()));
    txt_utente_[0]->setGeometry(r0);

    connect(&registro_, &RegistroAtleti::riga_cambiata, this, &Frm_configura::mostra_riga);
}

int Frm_configura::mostra_modale() {
    if (isVisible()) hide();
    apri();
    return exec();
}

void Frm_configura::mostra() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    apri();
    setModal(false);
    show();
}

void Frm_configura::chiudi() {
    if (isVisible()) QDialog::done(QDialog::Rejected);
}

void Frm_configura::apri() {
    Prepara_campi();
    Aggiorna_campi(true);
}

void Frm_configura::Prepara_campi() {
    disponi_righe();
    registro_.Prepara_campi();
    imposta_testi();
}

void Frm_configura::disponi_righe() {
    // Rows 1..4 are made afresh at every opening; row 0 is the designed one.
    lbl_utente_.ridimensiona(0);
    txt_utente_.ridimensiona(0);
    cmd_add_.ridimensiona(0);
    cmd_elimina_.ridimensiona(0);
    lbl_utente_.ridimensiona(ultima_riga);
    txt_utente_.ridimensiona(ultima_riga);
    cmd_add_.ridimensiona(ultima_riga);
    cmd_elimina_.ridimensiona(ultima_riga);

    const QRect r0 = txt_utente_[0]->geometry();
    const double altezza_lista = twips::da_pixel(r0.height());
    double alto_etichetta = twips::da_pixel(r0.top());
    const double altezza_etichetta = altezza_lista + distanza_righe;
    double alto_lista = twips::da_pixel(r0.top());
    for (int i = 0; i <= ultima_riga; ++i) {
        if (i > 0) {
            alto_etichetta += altezza_etichetta;
            alto_lista += altezza_lista + distanza_righe;
        }
        lbl_utente_[i]->setGeometry(
            twips::rettangolo_pixel(sinistra_etichetta, alto_etichetta, larghezza_etichetta, altezza_etichetta));
        txt_utente_[i]->setGeometry(twips::rettangolo_pixel(sinistra_lista, alto_lista, larghezza_lista, altezza_lista));
        cmd_add_[i]->setGeometry(twips::rettangolo_pixel(sinistra_add, alto_lista, larghezza_pulsante, altezza_lista));
        cmd_elimina_[i]->setGeometry(
            twips::rettangolo_pixel(sinistra_elimina, alto_lista, larghezza_pulsante, altezza_lista));
        const bool mostra_lista = i != riga_nota;
        // The label's text level with the list's.
        const int margine = std::max(0, (txt_utente_[i]->height() - lbl_utente_[i]->fontMetrics().height()) / 2);
        lbl_utente_[i]->setContentsMargins(0, margine, 0, 0);
        lbl_utente_[i]->setVisible(true);
        txt_utente_[i]->setVisible(mostra_lista);
        cmd_add_[i]->setVisible(mostra_lista);
        cmd_elimina_[i]->setVisible(mostra_lista);
    }
    txt_nota_->setGeometry(txt_utente_[riga_nota]->geometry());
    txt_nota_->setText(QStringLiteral("nota"));
    txt_nota_->raise();

    const double alto_comandi = alto_lista + altezza_lista + 2 * distanza_righe;
    const double larghezza_comando = 1500;
    const double altezza_comando = altezza_lista + 90;
    cmd_ok_->setGeometry(twips::rettangolo_pixel(larghezza_dialogo / 2 - larghezza_comando - 120, alto_comandi,
                                                 larghezza_comando, altezza_comando));
    cmd_annulla_->setGeometry(
        twips::rettangolo_pixel(larghezza_dialogo / 2 + 120, alto_comandi, larghezza_comando, altezza_comando));
    setFixedSize(twips::a_pixel(larghezza_dialogo), twips::a_pixel(alto_comandi + altezza_comando + 300));

    QWidget* precedente = nullptr;
    auto in_ordine = [&precedente](QWidget* w) {
        if (precedente) setTabOrder(precedente, w);
        precedente = w;
    };
    for (int i = 0; i <= ultima_riga; ++i) {
        in_ordine(i == riga_nota ? static_cast<QWidget*>(txt_nota_) : txt_utente_[i]);
        in_ordine(cmd_add_[i]);
        in_ordine(cmd_elimina_[i]);
    }
    in_ordine(cmd_ok_);
    in_ordine(cmd_annulla_);
}

void Frm_configura::imposta_testi() {
    for (int i = 0; i <= ultima_riga; ++i) lbl_utente_[i]->setText(etichette[static_cast<size_t>(i)]);
    txt_utente_[riga_atleta]->setToolTip(QStringLiteral("Inserire nome e cognome"));
    txt_utente_[riga_esercizio]->setToolTip(QStringLiteral("Inserire identificativo del tipo di esercizio"));
}

void Frm_configura::mostra_riga(int riga) {
    QComboBox* c = txt_utente_[riga];
    if (!c) return;  // rows 1..4 are made at the first opening
    const RigaRegistro& r = registro_.riga(riga);
    QSignalBlocker blocco(c);
    if (voci(c) != r.voci) {
        c->clear();
        c->addItems(r.voci);
    }
    if (c->currentIndex() != r.corrente) c->setCurrentIndex(r.corrente);
    if (c->currentText() != r.testo) c->setEditText(r.testo);
}

void Frm_configura::Nuovo(int riga) {
    registro_.Nuovo(riga, casella_.chiedi(QStringLiteral("Nuovo valore:"), titolo_applicazione, QString()));
}

void Frm_configura::Ok() {
    if (Applica_configurazione()) QDialog::done(QDialog::Accepted);
}

void Frm_configura::Annulla() {
    registro_.Annulla();
    QDialog::done(QDialog::Rejected);
}

void Frm_configura::reject() { Annulla(); }
