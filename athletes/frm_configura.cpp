#include "athletes/frm_configura.h"

#include "athletes/disco_registro.h"
#include "athletes/file_config.h"
#include "athletes/nomi_cartelle.h"
#include "core/numeri.h"
#include "platform/twips.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>

#include <algorithm>

namespace {
const QString sezione = QStringLiteral("funz");

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

int32_t valore_numerico(const QString& testo) { return numeri::arrotonda_i32(numeri::prefisso(testo)); }

// Name order of the athletes: letter case ignored, then counted to break ties.
bool prima_atleta(const QString& a, const QString& b) {
    const int r = QString::compare(a, b, Qt::CaseInsensitive);
    return r != 0 ? r < 0 : a < b;
}
}  // namespace

Frm_configura::Frm_configura(Stato& stato, ArchivioImpostazioni& impostazioni, Messaggi& messaggi,
                             CasellaInput& casella, VistaIntestazione& intestazione, QWidget* genitore)
    : QDialog(genitore),
      stato_(stato),
      impostazioni_(impostazioni),
      messaggi_(messaggi),
      casella_(casella),
      intestazione_(intestazione),
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
                      connect(c, &QComboBox::activated, this, [this, i] { selezione_riga(i); });
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
    stato_.nome_utente = impostazioni_.leggi(sezione, QStringLiteral("nome_utente"), QString());
    stato_.squadra = impostazioni_.leggi(sezione, QStringLiteral("squadra"), QString());
    stato_.indice_utente[1] = valore_numerico(impostazioni_.leggi(sezione, QStringLiteral("pos_utente"), QStringLiteral("0")));
    stato_.indice_utente[0] = valore_numerico(impostazioni_.leggi(sezione, QStringLiteral("pos_squadra"), QStringLiteral("0")));

    disponi_righe();

    RigheConfigurazione righe;
    leggi_file_ini(stato_, messaggi_, righe);
    for (int k = 0; k <= ultima_riga; ++k) riempi_riga(k, righe[static_cast<size_t>(k)].voci);

    Elenca_atleti();
    imposta_testi();

    if (auto file = nomi_cartelle::file_atleta(stato_.cartella_programma, stato_.squadra, stato_.nome_utente);
        file && QFileInfo::exists(*file)) {
        Carica_File_Config(stato_, messaggi_, *file);
    }
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

void Frm_configura::riempi_riga(int riga, const QStringList& voci) {
    QComboBox* c = txt_utente_[riga];
    QSignalBlocker blocco(c);
    c->clear();
    c->addItems(voci);
    c->setCurrentIndex(-1);
    c->clearEditText();
}

void Frm_configura::Elenca_atleti() {
    riempi_riga(riga_atleta, {});
    // With no team there is no team folder: the program folder's own subfolders are no athletes.
    if (stato_.squadra.isEmpty()) return;
    auto cartella = nomi_cartelle::cartella_squadra(stato_.cartella_programma, stato_.squadra);
    if (!cartella || !QFileInfo(*cartella).isDir()) return;
    QStringList atleti;
    for (const QString& nome : QDir(*cartella).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort)) {
        if (nomi_cartelle::sicuro(nome)) atleti << nome;
    }
    std::sort(atleti.begin(), atleti.end(), prima_atleta);
    riempi_riga(riga_atleta, atleti);
    if (!atleti.isEmpty()) seleziona(riga_atleta, 0);
}

void Frm_configura::Aggiorna_campi(bool completa) {
    aggiornamento_in_corso_ = true;
    for (int i = completa ? 0 : riga_esercizio; i <= ultima_riga; ++i) {
        const int32_t p = stato_.indice_utente[static_cast<size_t>(i)];
        // Only -1 and existing positions are applied; anything else leaves the row as it is.
        if (p >= -1 && p < txt_utente_[i]->count()) seleziona(i, p);
    }
    aggiornamento_in_corso_ = false;
}

void Frm_configura::seleziona(int riga, int32_t posizione) {
    QComboBox* c = txt_utente_[riga];
    {
        QSignalBlocker blocco(c);
        c->setCurrentIndex(posizione);
        if (posizione < 0) c->clearEditText();
    }
    if (!aggiornamento_in_corso_) selezione_riga(riga);
}

void Frm_configura::selezione_riga(int riga) {
    if (aggiornamento_in_corso_) return;
    if (riga == riga_squadra) {
        stato_.squadra = testo_riga(riga_squadra);
        Elenca_atleti();
    } else if (riga == riga_atleta) {
        auto file = nomi_cartelle::file_atleta(stato_.cartella_programma, testo_riga(riga_squadra),
                                               testo_riga(riga_atleta));
        if (file && QFileInfo::exists(*file) && Carica_File_Config(stato_, messaggi_, *file)) Aggiorna_campi(false);
    }
}

int32_t Frm_configura::posizione_selezionata(int riga) const {
    QComboBox* c = txt_utente_[riga];
    const QString testo = c->currentText();
    const int p = c->currentIndex();
    if (p >= 0 && c->itemText(p) == testo) return p;
    return c->findText(testo, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

QString Frm_configura::testo_riga(int riga) const { return txt_utente_[riga]->currentText(); }

RigheConfigurazione Frm_configura::righe() const {
    RigheConfigurazione r;
    for (int k = 0; k <= ultima_riga; ++k) {
        auto& riga = r[static_cast<size_t>(k)];
        QComboBox* c = txt_utente_[k];
        for (int j = 0; j < c->count(); ++j) riga.voci << c->itemText(j);
        riga.selezionata = posizione_selezionata(k);
    }
    return r;
}

bool Frm_configura::rifiuta_nome(const QString& squadra, const QString& atleta) {
    const auto rifiuto = nomi_cartelle::rifiuto(stato_.cartella_programma, squadra, atleta);
    if (rifiuto) messaggi_.mostra(*rifiuto, titolo_applicazione, Icona::Esclamazione);
    return rifiuto.has_value();
}

bool Frm_configura::Applica_configurazione() {
    const QString squadra = testo_riga(riga_squadra);
    const QString atleta = testo_riga(riga_atleta);
    // Typed names become folders too: an unusable one stops the commit before anything changes.
    if (rifiuta_nome(squadra, atleta)) return false;

    for (int i = 0; i <= ultima_riga; ++i) stato_.indice_utente[static_cast<size_t>(i)] = posizione_selezionata(i);
    stato_.nome_utente = atleta;
    stato_.macchina_utente = testo_riga(riga_esercizio);
    // An empty row (nothing chosen yet, as at a first start) keeps the minimum in
    // force: a minimum of 0 ms would turn every bounce on the mat into a jump.
    const QString t_volo = testo_riga(riga_t_volo);
    if (!t_volo.trimmed().isEmpty()) stato_.t_volo_min = valore_numerico(t_volo);
    stato_.squadra = squadra;

    stato_.cartella_utente = *nomi_cartelle::cartella_squadra(stato_.cartella_programma, squadra);
    for (bool atleta_fatto : {false, true}) {
        if (atleta_fatto) stato_.cartella_utente = QDir(stato_.cartella_utente).filePath(atleta);
        if (auto e = disco_registro::crea_cartella(stato_.cartella_utente)) {
            messaggi_.mostra(QStringLiteral("Applica_configurazione: ") + *e, titolo_applicazione, Icona::Critica);
            return false;
        }
    }

    impostazioni_.scrivi(sezione, QStringLiteral("nome_utente"), stato_.nome_utente);
    impostazioni_.scrivi(sezione, QStringLiteral("pos_utente"), QString::number(stato_.indice_utente[1]));
    impostazioni_.scrivi(sezione, QStringLiteral("squadra"), stato_.squadra);
    impostazioni_.scrivi(sezione, QStringLiteral("pos_squadra"), QString::number(stato_.indice_utente[0]));

    Salva_File_Config(stato_, righe(), messaggi_);
    intestazione_.Aggiorna_intestazione();
    return true;
}

void Frm_configura::Nuovo(int riga) {
    const QString valore = casella_.chiedi(QStringLiteral("Nuovo valore:"), titolo_applicazione, QString());
    QComboBox* c = txt_utente_[riga];
    const bool presente = c->findText(valore, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
    if (!valore.isEmpty() && !presente) {
        if (valore.contains(u'"')) {
            messaggi_.mostra(QStringLiteral("Il valore non può contenere le virgolette (\")."), titolo_applicazione,
                             Icona::Esclamazione);
        } else if ((riga == riga_squadra || riga == riga_atleta) &&
                   rifiuta_nome(riga == riga_squadra ? valore : testo_riga(riga_squadra),
                                riga == riga_atleta ? valore : QString())) {
            // Refused with its message: the row stays as it was.
        } else {
            // A new athlete takes its place in name order, where the next listing of the
            // team folder will find it, so its stored position keeps naming it.
            int posizione = c->count();
            if (riga == riga_atleta) {
                posizione = 0;
                while (posizione < c->count() && prima_atleta(c->itemText(posizione), valore)) ++posizione;
            }
            {
                QSignalBlocker blocco(c);
                c->insertItem(posizione, valore);
            }
            seleziona(riga, posizione);
        }
    }
    Applica_configurazione();
}

void Frm_configura::Elimina(int riga) {
    const int32_t p = posizione_selezionata(riga);
    if (p < 0) return;
    QComboBox* c = txt_utente_[riga];
    {
        QSignalBlocker blocco(c);
        c->removeItem(p);
    }
    if (c->count() == 0) {
        QSignalBlocker blocco(c);
        c->setCurrentIndex(-1);
        c->clearEditText();
        return;
    }
    seleziona(riga, p == 0 ? 0 : p - 1);
}

void Frm_configura::Ok() {
    if (Applica_configurazione()) QDialog::done(QDialog::Accepted);
}

void Frm_configura::Annulla() {
    intestazione_.Aggiorna_intestazione();
    QDialog::done(QDialog::Rejected);
}

void Frm_configura::reject() { Annulla(); }
