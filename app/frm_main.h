#pragma once

#include <QMainWindow>

#include <functional>
#include <vector>

class QAction;
class QMenu;

// What the menu items reach.
struct AzioniMenu {
    std::function<void()> apri;              // "Apri": workbook import
    std::function<void()> apri_csv;          // "Apri file csv"
    std::function<void()> apri_excel;        // "Apri con Excel"
    std::function<void()> salva_dati;        // "Salva dati con nome..."
    std::function<void()> esporta_rapporto;  // "Esporta rapporto PDF..."
    std::function<void()> stampa_rapporto;   // "Stampa rapporto..."
    std::function<void()> configura;         // "Configura..."
    std::function<void()> parametri_porta;   // "Parametri Porta...."
    std::function<void()> calcolo_medie;     // "Calcolo medie..."
    std::function<void()> medie_parziali;    // "Medie Parziali"
    std::function<void()> storico;           // "Storico atleta..."
    std::function<void()> cronometro;        // "Cronometro..."
    std::function<void()> calcolatrice;      // "Calcolatrice..."
    std::function<void()> informazioni;      // "Informazioni su..."
};

// The main window: holds the three panels of a test in its client area and
// carries the menu bar. Every resize lays the panels out through `al_ridimensionamento`
// (header, jump panel, command panel, in that order); closing runs `passi_chiusura`
// one after the other, a failing step skipped, and is never refused.
class Frm_main : public QMainWindow {
    Q_OBJECT

public:
    explicit Frm_main(AzioniMenu azioni, QWidget* genitore = nullptr);

    // Client area, where the panels live.
    QWidget* area() const { return area_; }
    // Client area size in twips.
    double larghezza_client() const;
    double altezza_client() const;

    // Called with the client size in twips on every resize.
    std::function<void(double larghezza, double altezza)> al_ridimensionamento;
    // The close sequence.
    std::vector<std::function<void()>> passi_chiusura;

    QMenu* mnuFile;
    QMenu* mnuImpostazioni;
    QMenu* mnuStrumenti;
    QMenu* mnuHelp;

    // Lays the panels out again for the current size.
    void riposiziona_pannelli();

signals:
    // The close sequence has run: the program ends.
    void chiusa();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QAction* voce(QMenu* menu, const char* nome, const QString& testo, const std::function<void()>& azione);
    AzioniMenu azioni_;
    QWidget* area_;
    bool chiuso_ = false;
};
