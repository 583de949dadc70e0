#pragma once

#include "core/testi_salto.h"

#include <QAbstractTableModel>
#include <QString>

#include <vector>

// The rows of the jump table: one row per jump shown, one text per column. The
// six lists of the panel show a column each of this one model, so a row
// appended, removed or cleared reaches all six in one notice, and a row holds
// its texts once, formatted when it is appended.
class RigheSalti : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int colonne = testi_salto::colonne;
    using Riga = testi_salto::Riga;

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& genitore = {}) const override;
    int columnCount(const QModelIndex& genitore = {}) const override;
    QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

    // Appends rows at the end, announced together.
    void aggiungi(std::vector<Riga> righe);
    void aggiungi(Riga riga);
    // Removes row r; false when there is no row r.
    bool elimina(int r);
    void svuota();

    const QString& testo(int r, int colonna) const;

private:
    std::vector<Riga> righe_;
};
