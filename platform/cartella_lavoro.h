#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <variant>

// A cell's value: empty, number, text or boolean.
using ValoreCella = std::variant<std::monostate, double, QString, bool>;

// The largest sheet a workbook holds.
inline constexpr int righe_massime_foglio = 1048576;
inline constexpr int colonne_massime_foglio = 16384;

// One worksheet. Rows and columns count from 1 (column A is 1).
class FoglioLavoro {
public:
    virtual ~FoglioLavoro() = default;
    // Width of every column, in characters.
    virtual void imposta_larghezza_colonne(double larghezza) = 0;
    // How many cells are about to be written: room for them at once. Only a hint.
    virtual void riserva(int64_t celle) { (void)celle; }
    // False (and nothing written) for a cell outside the sheet.
    virtual bool scrivi(int riga, int colonna, const ValoreCella& valore) = 0;
    // An empty cell, or one outside the sheet, reads as empty.
    virtual ValoreCella leggi(int riga, int colonna) const = 0;
    virtual bool imposta_formato_numero(int riga, int colonna, const QString& formato) = 0;
    // A cell or a rectangle, "B2" or "A1:I1". False when the text names no range.
    virtual bool imposta_grassetto(const QString& intervallo) = 0;
};

// A workbook with one active worksheet.
class CartellaLavoro {
public:
    virtual ~CartellaLavoro() = default;
    virtual FoglioLavoro& foglio_attivo() = 0;
    // Stores the workbook under `percorso`. The file appears complete or not at all:
    // a file already there is replaced only once the new one is whole on disk.
    // On failure returns false with the reason in `errore`.
    virtual bool salva_con_nome(const QString& percorso, QString* errore) = 0;
    // Lets the workbook go without storing it; a workbook opened from a file never
    // changes that file.
    virtual void chiudi() = 0;
};

// The spreadsheet component: new workbooks, and workbooks read from files.
class FogliDiCalcolo {
public:
    virtual ~FogliDiCalcolo() = default;
    virtual std::unique_ptr<CartellaLavoro> nuova() = 0;
    // Reads the workbook at `percorso` (.xlsx, or legacy .xls, told apart by their
    // content). Null with the reason in `errore` when it cannot be read; a path that
    // is not a regular file is refused before anything is opened. Called on the
    // thread an import reads on, so it shares nothing that changes.
    virtual std::unique_ptr<CartellaLavoro> apri(const QString& percorso, QString* errore) = 0;
};

