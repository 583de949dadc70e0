#include "display/righe_salti.h"

int RigheSalti::rowCount(const QModelIndex& genitore) const {
    return genitore.isValid() ? 0 : static_cast<int>(righe_.size());
}

int RigheSalti::columnCount(const QModelIndex& genitore) const { return genitore.isValid() ? 0 : colonne; }

QVariant RigheSalti::data(const QModelIndex& indice, int ruolo) const {
    if (ruolo != Qt::DisplayRole || !checkIndex(indice, CheckIndexOption::IndexIsValid)) return {};
    return testo(indice.row(), indice.column());
}

Qt::ItemFlags RigheSalti::flags(const QModelIndex& indice) const {
    return indice.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void RigheSalti::aggiungi(std::vector<Riga> righe) {
    if (righe.empty()) return;
    const int n = rowCount();
    beginInsertRows({}, n, n + static_cast<int>(righe.size()) - 1);
    righe_.insert(righe_.end(), std::make_move_iterator(righe.begin()), std::make_move_iterator(righe.end()));
    endInsertRows();
}

void RigheSalti::aggiungi(Riga riga) {
    const int n = rowCount();
    beginInsertRows({}, n, n);
    righe_.push_back(std::move(riga));
    endInsertRows();
}

bool RigheSalti::elimina(int r) {
    if (r < 0 || r >= rowCount()) return false;
    beginRemoveRows({}, r, r);
    righe_.erase(righe_.begin() + r);
    endRemoveRows();
    return true;
}

void RigheSalti::svuota() {
    beginResetModel();
    righe_.clear();
    endResetModel();
}

const QString& RigheSalti::testo(int r, int colonna) const {
    static const QString nessuno;
    if (r < 0 || r >= rowCount() || colonna < 0 || colonna >= colonne) return nessuno;
    return righe_[static_cast<size_t>(r)][static_cast<size_t>(colonna)];
}
