#pragma once

#include "history/prova_storico.h"

#include <QAbstractTableModel>
#include <QString>

#include <vector>

class StoricoAtleta;

// The history table over an athlete's rows: the rows of the exercise chosen (all
// when none is), in the order of the column chosen (newest first to begin with).
// A row read while shown is redrawn in place; the order and the filter are applied
// again when the reading ends, selections following their rows. Damaged files and
// files being read are greyed, with the reason as their tooltip.
class ModelloStorico : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ModelloStorico(const StoricoAtleta& storico, QObject* genitore = nullptr);

    int rowCount(const QModelIndex& genitore = {}) const override;
    int columnCount(const QModelIndex& genitore = {}) const override;
    QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento, int ruolo = Qt::DisplayRole) const override;
    void sort(int colonna, Qt::SortOrder ordine = Qt::AscendingOrder) override;

    // The exercise shown; empty: every exercise.
    void imposta_esercizio(const QString& esercizio);
    const QString& esercizio() const { return esercizio_; }
    int colonna_ordine() const { return colonna_; }
    Qt::SortOrder ordine() const { return ordine_; }

    // The row behind a table row, or null.
    const ProvaStorico* prova(int riga) const;
    // Every row shown, in the table's order.
    std::vector<const ProvaStorico*> righe_mostrate() const;

private:
    void riordina();
    void letta(int indice);

    const StoricoAtleta& storico_;
    std::vector<int> righe_;  // table row -> index of the athlete's rows
    QString esercizio_;
    int colonna_;
    Qt::SortOrder ordine_ = Qt::DescendingOrder;
};
