#include "history/frm_storico.h"

#include "core/sessione_atleta.h"
#include "core/titoli.h"
#include "files/comandi_file.h"
#include "files/giornali_prove.h"
#include "history/colonne_storico.h"
#include "history/esporta_storico.h"
#include "history/file_prova.h"
#include "history/lettura_storico.h"
#include "history/modello_storico.h"
#include "history/serie_storico.h"
#include "history/storico_atleta.h"
#include "platform/dialoghi.h"
#include "platform/grafico_serie.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString tutti_gli_esercizi = QStringLiteral("Tutti gli esercizi");

QPushButton* pulsante(const char* nome, const QString& testo, QWidget* genitore) {
    auto* b = new QPushButton(testo, genitore);
    b->setObjectName(QString::fromLatin1(nome));
    return b;
}

QString cartella_leggibile(const QString& c) { return QDir::toNativeSeparators(QDir::cleanPath(c)); }

}  // namespace

Frm_storico::Frm_storico(ServiziStorico servizi, QWidget* genitore) : QWidget(genitore), s_(std::move(servizi)) {
    setObjectName(QStringLiteral("Frm_storico"));
    setWindowTitle(QStringLiteral("Storico prove"));
    setWindowFlag(Qt::Window, true);
    resize(1100, 760);

    LettoreStorico::Leggi leggi = s_.leggi;
    if (!leggi) leggi = [fogli = &s_.fogli](const FileProva& f) { return lettura_storico::leggi(f, *fogli); };
    storico_ = new StoricoAtleta(std::move(leggi), s_.cartella_cache, this);
    modello_ = new ModelloStorico(*storico_, this);

    Lbl_atleta = new QLabel(this);
    Lbl_atleta->setObjectName(QStringLiteral("Lbl_atleta"));
    QFont grassetto = Lbl_atleta->font();
    grassetto.setBold(true);
    Lbl_atleta->setFont(grassetto);
    Lbl_stato = new QLabel(this);
    Lbl_stato->setObjectName(QStringLiteral("Lbl_stato"));
    Lbl_stato->setWordWrap(true);
    Lbl_stato->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* etichetta = new QLabel(QStringLiteral("Esercizio:"), this);
    etichetta->setObjectName(QStringLiteral("Lbl_esercizio"));
    cbo_esercizio = new QComboBox(this);
    cbo_esercizio->setObjectName(QStringLiteral("cbo_esercizio"));
    cbo_esercizio->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cbo_esercizio->setMinimumContentsLength(18);
    cbo_esercizio->addItem(tutti_gli_esercizi, QString());
    Cmd_aggiorna = pulsante("Cmd_aggiorna", QStringLiteral("Aggiorna"), this);
    Cmd_apri = pulsante("Cmd_apri", QStringLiteral("Apri"), this);
    Cmd_apri->setToolTip(QStringLiteral("Carica la prova scelta nella finestra principale (anche con un doppio clic)"));
    Cmd_esporta = pulsante("Cmd_esporta", QStringLiteral("Esporta..."), this);
    Cmd_esporta->setToolTip(QStringLiteral("Salva la tabella come cartella di lavoro (.xlsx) o testo (.csv)"));
    Cmd_chiudi = pulsante("Cmd_chiudi", QStringLiteral("Chiudi"), this);

    List_prove = new QTableView(this);
    List_prove->setObjectName(QStringLiteral("List_prove"));
    List_prove->setModel(modello_);
    List_prove->setSelectionBehavior(QAbstractItemView::SelectRows);
    List_prove->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List_prove->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List_prove->setAlternatingRowColors(true);
    List_prove->setWordWrap(false);
    List_prove->verticalHeader()->hide();
    List_prove->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    List_prove->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    List_prove->horizontalHeader()->setStretchLastSection(true);
    // Columns are fitted to the rows in view: measuring hundreds of rows would hold the window up.
    List_prove->horizontalHeader()->setResizeContentsPrecision(0);
    List_prove->horizontalHeader()->setSectionsMovable(false);
    List_prove->setSortingEnabled(true);
    List_prove->sortByColumn(colonne_storico::Data, Qt::DescendingOrder);

    QWidget* confronto = s_.confronto->controllo();
    QWidget* andamento = s_.andamento->controllo();
    confronto->setObjectName(QStringLiteral("Grafico_confronto"));
    andamento->setObjectName(QStringLiteral("Grafico_andamento"));
    s_.confronto->imposta_assi(QStringLiteral("Salto"), QStringLiteral("Altezza (cm)"), GraficoSerie::AsseX::Numeri);
    s_.andamento->imposta_assi(QStringLiteral("Data"), QStringLiteral("Altezza (cm)"), GraficoSerie::AsseX::Date);

    auto* grafici = new QSplitter(Qt::Horizontal);
    grafici->setObjectName(QStringLiteral("Fra_grafici"));
    grafici->addWidget(confronto);
    grafici->addWidget(andamento);
    auto* divisione = new QSplitter(Qt::Vertical);
    divisione->setObjectName(QStringLiteral("Fra_divisione"));
    divisione->addWidget(List_prove);
    divisione->addWidget(grafici);
    divisione->setStretchFactor(0, 5);
    divisione->setStretchFactor(1, 4);
    divisione->setChildrenCollapsible(false);

    auto* comandi = new QHBoxLayout;
    comandi->addWidget(etichetta);
    comandi->addWidget(cbo_esercizio);
    comandi->addStretch(1);
    for (QPushButton* b : {Cmd_aggiorna, Cmd_apri, Cmd_esporta, Cmd_chiudi}) comandi->addWidget(b);
    auto* tutto = new QVBoxLayout(this);
    tutto->addWidget(Lbl_atleta);
    tutto->addWidget(Lbl_stato);
    tutto->addLayout(comandi);
    tutto->addWidget(divisione, 1);

    connect(Cmd_aggiorna, &QPushButton::clicked, this, &Frm_storico::aggiorna);
    connect(Cmd_apri, &QPushButton::clicked, this, [this] { apri_prova(List_prove->currentIndex().row()); });
    connect(Cmd_esporta, &QPushButton::clicked, this, &Frm_storico::esporta);
    connect(Cmd_chiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(List_prove, &QTableView::doubleClicked, this, [this](const QModelIndex& i) { apri_prova(i.row()); });
    connect(cbo_esercizio, &QComboBox::currentIndexChanged, this, [this] {
        modello_->imposta_esercizio(cbo_esercizio->currentData().toString());
        aggiorna_stato();
        aggiorna_andamento();
    });
    connect(List_prove->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Frm_storico::aggiorna_confronto);
    connect(List_prove->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        Cmd_apri->setEnabled(List_prove->currentIndex().isValid());
        if (modello_->esercizio().isEmpty()) aggiorna_andamento();
    });
    // The model follows the rows first (it was connected first), then the window.
    connect(storico_, &StoricoAtleta::elencate, this, &Frm_storico::righe_cambiate);
    connect(storico_, &StoricoAtleta::letta, this, &Frm_storico::aggiorna_stato);
    connect(storico_, &StoricoAtleta::lettura_finita, this, &Frm_storico::righe_cambiate);
    Cmd_apri->setEnabled(false);
    aggiorna_confronto();
    aggiorna_andamento();
}

Frm_storico::~Frm_storico() = default;

void Frm_storico::mostra() {
    // Never larger than the screen's free area (a laptop of 1024 x 600, say).
    if (!isVisible())
        if (const QScreen* schermo = screen()) resize(size().boundedTo(schermo->availableGeometry().size() * 0.95));
    show();
    raise();
    activateWindow();
    aggiorna();
}

void Frm_storico::aggiorna() {
    const SessioneAtleta& a = s_.sessione;
    const QString nome = a.nome_utente.trimmed().isEmpty() ? QStringLiteral("—") : a.nome_utente;
    const QString squadra = a.squadra.trimmed().isEmpty() ? QStringLiteral("—") : a.squadra;
    Lbl_atleta->setText(QStringLiteral("Atleta: %1      Squadra: %2").arg(nome, squadra));
    storico_->aggiorna(a.cartella_utente);
}

void Frm_storico::righe_cambiate() {
    aggiorna_esercizi();
    aggiorna_stato();
    List_prove->resizeColumnsToContents();
    aggiorna_confronto();
    aggiorna_andamento();
}

void Frm_storico::aggiorna_stato() {
    const QString cartella = cartella_leggibile(storico_->cartella());
    switch (storico_->stato()) {
        case StoricoAtleta::Stato::NessunAtleta:
            Lbl_stato->setText(QStringLiteral("Nessun atleta scelto: sceglierlo con Impostazioni > Configura..., "
                                              "poi premere Aggiorna."));
            return;
        case StoricoAtleta::Stato::CartellaMancante:
            Lbl_stato->setText(QStringLiteral("La cartella dell'atleta non esiste (%1): sceglierlo di nuovo con "
                                              "Impostazioni > Configura..., poi premere Aggiorna.")
                                   .arg(cartella));
            return;
        case StoricoAtleta::Stato::Elencata: break;
    }
    const auto& prove = storico_->prove();
    if (prove.empty()) {
        Lbl_stato->setText(QStringLiteral("Nessuna prova nella cartella dell'atleta (%1) né nella sua cartella \"%2\".")
                               .arg(cartella, giornali_prove::nome_cartella_prove));
        return;
    }
    const auto danneggiate = std::count_if(prove.begin(), prove.end(), [](const ProvaStorico& p) {
        return p.stato == ProvaStorico::Stato::Danneggiata;
    });
    QString t = prove.size() == 1 ? QStringLiteral("1 file di prova") : QStringLiteral("%1 file di prova").arg(prove.size());
    t += QStringLiteral(" in %1").arg(cartella);
    if (danneggiate > 0)
        t += QStringLiteral("; %1 non si %2 leggere (in grigio, il motivo nelle note)")
                 .arg(danneggiate)
                 .arg(danneggiate == 1 ? QStringLiteral("può") : QStringLiteral("possono"));
    if (storico_->in_lettura()) t += QStringLiteral("; lettura di %1 file in corso...").arg(storico_->da_leggere());
    if (!modello_->esercizio().isEmpty()) {
        const int n = modello_->rowCount();
        t += (n == 1 ? QStringLiteral("; mostrata 1 prova") : QStringLiteral("; mostrate %1 prove").arg(n)) +
             QStringLiteral(" di \"%1\"").arg(modello_->esercizio());
    }
    if (!storico_->errore_cache().isEmpty())
        t += QStringLiteral(". Le prove lette non sono state ricordate per la prossima apertura: ") +
             storico_->errore_cache();
    Lbl_stato->setText(t + u'.');
}

void Frm_storico::aggiorna_esercizi() {
    const QString scelto = cbo_esercizio->currentData().toString();
    const QStringList esercizi = colonne_storico::esercizi(storico_->prove());
    QStringList presenti;
    for (int i = 1; i < cbo_esercizio->count(); ++i) presenti << cbo_esercizio->itemData(i).toString();
    if (presenti == esercizi) return;
    {
        const QSignalBlocker blocco(cbo_esercizio);
        cbo_esercizio->clear();
        cbo_esercizio->addItem(tutti_gli_esercizi, QString());
        for (const QString& e : esercizi) cbo_esercizio->addItem(e, e);
        cbo_esercizio->setCurrentIndex(std::max(0, cbo_esercizio->findData(scelto)));
    }
    // An exercise no longer in the folder: every exercise is shown.
    if (cbo_esercizio->currentData().toString() != scelto) modello_->imposta_esercizio(QString());
}

void Frm_storico::aggiorna_confronto() {
    std::vector<const ProvaStorico*> scelte;
    for (const QModelIndex& i : List_prove->selectionModel()->selectedRows()) scelte.push_back(modello_->prova(i.row()));
    const serie_storico::Confronto c = serie_storico::confronto(scelte);
    if (c.serie.empty())
        s_.confronto->imposta_titolo(QStringLiteral("Altezze per salto: scegliere nella tabella le prove da confrontare"));
    else if (c.lette > static_cast<int>(c.serie.size()))
        s_.confronto->imposta_titolo(QStringLiteral("Altezze per salto: le %1 più recenti delle %2 prove scelte")
                                         .arg(c.serie.size())
                                         .arg(c.lette));
    else
        s_.confronto->imposta_titolo(QStringLiteral("Altezze per salto"));
    s_.confronto->mostra(c.serie);
}

QString Frm_storico::esercizio_andamento() const {
    if (!modello_->esercizio().isEmpty()) return modello_->esercizio();
    if (const ProvaStorico* p = modello_->prova(List_prove->currentIndex().row()); p && !p->esercizio.isEmpty())
        return p->esercizio;
    // The exercise of the newest test read.
    const ProvaStorico* ultima = nullptr;
    for (const ProvaStorico& p : storico_->prove())
        if (p.letta() && (!ultima || p.quando > ultima->quando)) ultima = &p;
    return ultima ? ultima->esercizio : QString();
}

void Frm_storico::aggiorna_andamento() {
    const QString esercizio = esercizio_andamento();
    auto serie = serie_storico::andamento(storico_->prove(), esercizio);
    s_.andamento->imposta_titolo(serie.empty() ? QStringLiteral("Andamento: nessuna prova letta")
                                               : QStringLiteral("Andamento di \"%1\"").arg(esercizio));
    s_.andamento->mostra(serie);
}

bool Frm_storico::apri_prova(int riga) {
    const ProvaStorico* p = modello_->prova(riga);
    if (!p) return false;
    if (p->stato == ProvaStorico::Stato::Danneggiata) {
        s_.messaggi.mostra(QStringLiteral("Il file %1 non si può aprire: %2.")
                               .arg(QDir::toNativeSeparators(p->file.percorso), p->motivo),
                           titolo_applicazione, Icona::Esclamazione);
        return false;
    }
    // A copy: the rows may change under the import (a refresh after a failure).
    const ProvaStorico prova = *p;
    const bool testo = file_prova::estensione_csv(prova.file.nome);
    const bool aperta = testo ? s_.file.apri_file_csv(prova.file.percorso, prova.quando)
                              : s_.file.apri_file_xls(prova.file.percorso);
    // The file may have gone or changed since it was listed.
    if (!aperta) aggiorna();
    return aperta;
}

void Frm_storico::esporta() {
    RichiestaFile r;
    r.titolo = QStringLiteral("Esporta storico");
    r.cartella_iniziale = s_.sessione.cartella_utente;
    r.estensione_predefinita = QStringLiteral("xlsx");
    r.nome_suggerito = QStringLiteral("Storico ") + s_.sessione.nome_utente;
    if (!modello_->esercizio().isEmpty()) r.nome_suggerito += QStringLiteral(" ") + modello_->esercizio();
    r.filtro = QStringLiteral("Cartelle di lavoro (*.xlsx);;Testo separato da virgole (*.csv)");
    r.annulla_errore = true;
    const auto percorso = s_.dialogo.salva(r);
    if (!percorso) return;
    esporta_in(*percorso);
}

bool Frm_storico::esporta_in(const QString& percorso) {
    const std::vector<const ProvaStorico*> righe = modello_->righe_mostrate();
    const bool testo = file_prova::estensione_csv(percorso);
    const auto errore = testo ? esporta_storico::scrivi_csv(percorso, righe)
                              : esporta_storico::scrivi_xlsx(percorso, righe, s_.fogli);
    if (errore) {
        s_.messaggi.mostra(QStringLiteral("esporta_storico: ") + *errore, titolo_applicazione, Icona::Esclamazione);
        return false;
    }
    return true;
}
