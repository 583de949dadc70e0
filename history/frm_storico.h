#pragma once

#include "history/lettore_storico.h"

#include <QString>
#include <QWidget>

class ComandiFile;
class DialogoFile;
class FogliDiCalcolo;
class GraficoSerie;
class Messaggi;
class ModelloStorico;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class StoricoAtleta;
struct SessioneAtleta;

// What the history window works with.
struct ServiziStorico {
    const SessioneAtleta& sessione;  // the athlete of the header: team, name, folder
    ComandiFile& file;               // opens a test in the main window
    FogliDiCalcolo& fogli;           // reads workbooks (on the worker too) and writes the export
    DialogoFile& dialogo;
    Messaggi& messaggi;
    // The two graphs; the window takes their controls (and with them the graphs).
    GraficoSerie* confronto;  // heights per jump of the tests chosen
    GraficoSerie* andamento;  // mean and best height by date
    QString cartella_cache;   // where the history keeps what it read; empty: nowhere
    LettoreStorico::Leggi leggi = {};  // how a file is read; empty: as a test file (files/)
};

// "Storico prove": every test of the athlete of the header, from the athlete's
// folder and its "prove" folder, one row each with the test's figures; newest
// first, every column sortable, a filter by exercise. Opening a row loads the test
// into the main window; choosing rows draws their heights together; the trend
// graph follows the mean and best height of the exercise by date; "Esporta..."
// writes the table. Files are read off the user-interface thread and kept in a
// cache, so the window shows its rows at once and fills them in as they are read.
class Frm_storico : public QWidget {
    Q_OBJECT

public:
    explicit Frm_storico(ServiziStorico servizi, QWidget* genitore = nullptr);
    ~Frm_storico() override;

    // Shows the window in front and lists the athlete's tests again.
    void mostra();
    // Lists the athlete's folder again: files gone are dropped, new ones read.
    void aggiorna();
    // Loads the test of table row `riga` into the main window; true when it did.
    bool apri_prova(int riga);
    // "Esporta...": asks for the file (cancel is silent), then writes the table.
    void esporta();
    // Writes the rows shown, as .csv when the name ends so, else as .xlsx; a failure
    // is told. True when written.
    bool esporta_in(const QString& percorso);

    StoricoAtleta& storico() { return *storico_; }
    ModelloStorico& modello() { return *modello_; }

    QLabel* Lbl_atleta;
    QLabel* Lbl_stato;
    QComboBox* cbo_esercizio;
    QTableView* List_prove;
    QPushButton* Cmd_aggiorna;
    QPushButton* Cmd_apri;
    QPushButton* Cmd_esporta;
    QPushButton* Cmd_chiudi;

private:
    // The files were listed anew, or every file listed has been read: the exercises,
    // the status, the column widths, the comparison and the trend follow the rows.
    void righe_cambiate();
    void aggiorna_stato();
    void aggiorna_esercizi();
    void aggiorna_confronto();
    void aggiorna_andamento();
    QString esercizio_andamento() const;

    ServiziStorico s_;
    StoricoAtleta* storico_;
    ModelloStorico* modello_;
};
