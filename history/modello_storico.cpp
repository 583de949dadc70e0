#include "history/modello_storico.h"

#include "history/colonne_storico.h"
#include "history/storico_atleta.h"

#include <QBrush>
#include <QColor>
#include <QDir>

ModelloStorico::ModelloStorico(const StoricoAtleta& storico, QObject* genitore)
    : QAbstractTableModel(genitore), storico_(storico), colonna_(colonne_storico::Data) {
    connect(&storico_, &StoricoAtleta::elencate, this, [this] {
        beginResetModel();
        righe_ = colonne_storico::righe(storico_.prove(), esercizio_, colonna_, ordine_);
        endResetModel();
    });
    connect(&storico_, &StoricoAtleta::letta, this, &ModelloStorico::letta);
    connect(&storico_, &StoricoAtleta::lettura_finita, this, &ModelloStorico::riordina);
}

int ModelloStorico::rowCount(const QModelIndex& genitore) const {
    return genitore.isValid() ? 0 : static_cast<int>(righe_.size());
}

int ModelloStorico::columnCount(const QModelIndex& genitore) const {
    return genitore.isValid() ? 0 : colonne_storico::Numero;
}

const ProvaStorico* ModelloStorico::prova(int riga) const {
    if (riga < 0 || riga >= static_cast<int>(righe_.size())) return nullptr;
    const size_t i = static_cast<size_t>(righe_[static_cast<size_t>(riga)]);
    return i < storico_.prove().size() ? &storico_.prove()[i] : nullptr;
}

std::vector<const ProvaStorico*> ModelloStorico::righe_mostrate() const {
    std::vector<const ProvaStorico*> l;
    for (int r = 0; r < rowCount(); ++r) l.push_back(prova(r));
    return l;
}

QVariant ModelloStorico::data(const QModelIndex& indice, int ruolo) const {
    const ProvaStorico* p = prova(indice.row());
    if (!p || indice.column() < 0 || indice.column() >= colonne_storico::Numero) return {};
    const bool numero = colonne_storico::colonne()[static_cast<size_t>(indice.column())].decimali >= 0;
    switch (ruolo) {
        case Qt::DisplayRole: return colonne_storico::testo(*p, indice.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignVCenter | (numero ? Qt::AlignRight : Qt::AlignLeft));
        case Qt::ForegroundRole:
            if (!p->letta()) return QBrush(QColor(140, 140, 140));
            return {};
        case Qt::ToolTipRole: {
            const QString percorso = QDir::toNativeSeparators(p->file.percorso);
            if (p->stato == ProvaStorico::Stato::Danneggiata)
                return percorso + QStringLiteral("\nNon si può aprire: ") + p->motivo;
            return percorso;
        }
        default: return {};
    }
}

QVariant ModelloStorico::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const {
    if (orientamento != Qt::Horizontal || ruolo != Qt::DisplayRole || sezione < 0 || sezione >= colonne_storico::Numero)
        return QAbstractTableModel::headerData(sezione, orientamento, ruolo);
    return colonne_storico::colonne()[static_cast<size_t>(sezione)].titolo;
}

void ModelloStorico::sort(int colonna, Qt::SortOrder ordine) {
    if (colonna < 0 || colonna >= colonne_storico::Numero) return;
    colonna_ = colonna;
    ordine_ = ordine;
    riordina();
}

void ModelloStorico::imposta_esercizio(const QString& esercizio) {
    if (esercizio == esercizio_) return;
    esercizio_ = esercizio;
    riordina();
}

void ModelloStorico::letta(int indice) {
    for (int r = 0; r < static_cast<int>(righe_.size()); ++r) {
        if (righe_[static_cast<size_t>(r)] != indice) continue;
        emit dataChanged(index(r, 0), index(r, colonne_storico::Numero - 1));
        return;
    }
}

void ModelloStorico::riordina() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> prima = righe_;
    righe_ = colonne_storico::righe(storico_.prove(), esercizio_, colonna_, ordine_);
    std::vector<int> nuova_riga(storico_.prove().size(), -1);
    for (int r = 0; r < static_cast<int>(righe_.size()); ++r) nuova_riga[static_cast<size_t>(righe_[static_cast<size_t>(r)])] = r;
    const QModelIndexList vecchi = persistentIndexList();
    QModelIndexList nuovi;
    for (const QModelIndex& v : vecchi) {
        const int i = v.row() < static_cast<int>(prima.size()) ? prima[static_cast<size_t>(v.row())] : -1;
        const int r = i >= 0 && static_cast<size_t>(i) < nuova_riga.size() ? nuova_riga[static_cast<size_t>(i)] : -1;
        nuovi << (r >= 0 ? index(r, v.column()) : QModelIndex());
    }
    changePersistentIndexList(vecchi, nuovi);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
