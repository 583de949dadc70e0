#pragma once

#include "history/prova_storico.h"
#include "platform/cartella_lavoro.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// The columns of the history table: what each cell holds, how it reads, and the
// order and filter of the rows. The window, the export and the graphs share them.
namespace colonne_storico {

enum Colonna : int {
    Data,
    Esercizio,
    Salti,
    AltezzaMedia,
    AltezzaMigliore,
    ContattoMedio,
    PotenzaMedia,
    IndiceReattivo,
    DecrementoAltezza,
    Note,
    File,
    Numero  // how many columns
};

struct Descrizione {
    QString titolo;  // as the table's head shows it, on one or two lines
    int decimali;    // a number's decimals; -1 for a text column
};
const std::array<Descrizione, Numero>& colonne();
// The title on one line, for a file.
QString titolo_in_riga(int colonna);

// "15/03/2024 09:05".
QString data_ora(const QDateTime& quando);

// A cell: text, a number, or empty when the file does not give that figure (a file
// not read yet or damaged, a test too short for it). The figures are those of the
// test report: mean height and mean power as the averages window has them (the
// first jump's power left out), the best height, the mean contact time, the mean
// reactive strength index, the total decrement of the height.
ValoreCella valore(const ProvaStorico& prova, int colonna);

// The cell as the table shows it, numbers with the column's decimals and the
// locale's decimal separator.
QString testo(const ProvaStorico& prova, int colonna, const QLocale& locale = QLocale());

// The rows shown, as indices into `prove`: those of exercise `esercizio` (every
// row when it is empty), ordered by the column. Rows lacking the value come last
// in either order; equal values go newest first.
std::vector<int> righe(const std::vector<ProvaStorico>& prove, const QString& esercizio, int colonna,
                       Qt::SortOrder ordine);

// The exercises of the rows, each once, in alphabetical order.
QStringList esercizi(const std::vector<ProvaStorico>& prove);

}  // namespace colonne_storico
