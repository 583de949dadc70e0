#pragma once

#include "platform/cartella_lavoro.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

// What one cell holds besides its value.
struct CellaMemoria {
    ValoreCella valore;
    QString formato_numero;  // empty: the general format
    bool grassetto = false;
};

// A worksheet held in memory: what a new workbook is built in before it is stored,
// and what a workbook file is read into.
class FoglioMemoria : public FoglioLavoro {
public:
    // A bold range larger than this is refused rather than materialised cell by cell.
    static constexpr int64_t celle_massime_grassetto = 65536;
    // The most cells riserva() makes room for in advance.
    static constexpr int64_t celle_massime_riserva = 1 << 20;

    void imposta_larghezza_colonne(double larghezza) override { larghezza_ = larghezza; }
    void riserva(int64_t celle) override;
    bool scrivi(int riga, int colonna, const ValoreCella& valore) override;
    ValoreCella leggi(int riga, int colonna) const override;
    bool imposta_formato_numero(int riga, int colonna, const QString& formato) override;
    bool imposta_grassetto(const QString& intervallo) override;

    std::optional<double> larghezza_colonne() const { return larghezza_; }
    // Null when the cell was never touched.
    const CellaMemoria* cella(int riga, int colonna) const;
    size_t numero_celle() const { return celle_.size(); }

    // Cells in row order, then column order.
    using Chiave = uint64_t;
    using Celle = std::vector<std::pair<Chiave, CellaMemoria>>;
    static Chiave chiave(int riga, int colonna) {
        return (static_cast<uint64_t>(riga) << 16) | static_cast<uint64_t>(colonna);
    }
    static int riga_di(Chiave k) { return static_cast<int>(k >> 16); }
    static int colonna_di(Chiave k) { return static_cast<int>(k & 0xFFFF); }
    const Celle& celle() const { return celle_; }


private:
    friend class FoglioInLettura;
    // Cells written in order are appended; anything else is a sorted insert.
    CellaMemoria* prepara(int riga, int colonna);
    Celle celle_;
    // The keys of celle_ alone: a search over them stays in the processor's
    // cache, where one over the cells does not.
    std::vector<Chiave> chiavi_;
    std::optional<double> larghezza_;
};

// A sheet read from a file: its cells, in any order (a key given twice keeps its
// last value), are appended as they come and sorted once at the end rather than
// inserted cell by cell.
class FoglioInLettura {
public:
    void riserva(size_t celle) { f_.celle_.reserve(celle); }
    void aggiungi(FoglioMemoria::Chiave k, ValoreCella valore);
    size_t numero() const { return f_.celle_.size(); }
    FoglioMemoria concludi() &&;

private:
    FoglioMemoria f_;
    bool in_ordine_ = true;
};

// A workbook of one sheet held in memory; it is stored as .xlsx.
class CartellaMemoria : public CartellaLavoro {
public:
    CartellaMemoria() = default;
    explicit CartellaMemoria(FoglioMemoria foglio) : foglio_(std::move(foglio)) {}
    FoglioMemoria& foglio_attivo() override { return foglio_; }
    bool salva_con_nome(const QString& percorso, QString* errore) override;
    void chiudi() override { foglio_ = FoglioMemoria(); }

private:
    FoglioMemoria foglio_;
};

// "B2" -> row 2, column 2. False for anything that is not one cell inside the sheet.
bool leggi_riferimento(QStringView testo, int* riga, int* colonna);
// The same for a reference as it stands in a file (UTF-8 bytes).
bool leggi_riferimento(std::string_view testo, int* riga, int* colonna);
