#pragma once

#include "display/pulsante_spia.h"

#include <QWidget>

#include <functional>

class StatoCollegamento;
class VistaSalti;
class SequenzeScheda;

// What the command panel's buttons reach outside it.
struct AzioniComandi {
    std::function<void()> salva;        // the File menu's save command
    std::function<void()> medie;        // averages of all jumps, then their window
    std::function<void()> set_assi;     // the axes window
    std::function<void()> crono;        // the stopwatch window
    std::function<void()> calcolatrice; // the system calculator (failures silent)
};

// Sizes the panels are laid out from, in twips.
struct MisureComandi {
    double larghezza_principale = 0;  // main window client width
    double altezza_principale = 0;    // main window client height
    double alto = 0;                  // jump panel's top + height
};

// The strip of seven buttons that runs a test: ON/OFF starts and stops
// acquisition, "RESET DATI" empties the test and resets the board lines, and the
// others reach saving, averages, axes, stopwatch and calculator.
class Frm_cmd : public QWidget {
    Q_OBJECT

public:
    Frm_cmd(StatoCollegamento& stato, VistaSalti& vista, SequenzeScheda& scheda, AzioniComandi azioni,
            QWidget* genitore = nullptr);

    // ON/OFF handling. The program switches the test on and off by setting Button_On's
    // value (start-up, "RESET DATI"), which runs this as the operator's press does.
    void Button_on_ValueChanged(bool Value);
    void riposiziona(const MisureComandi& m);

    PulsanteSpia* Button_start;
    PulsanteSpia* Button_Segnale;
    PulsanteSpia* Button_Ripetizioni;
    PulsanteSpia* Button_On;
    PulsanteSpia* Button_Grafici;
    PulsanteSpia* Button_Crono;
    PulsanteSpia* Button_Calcolatrice;

    // The smallest text size of the buttons, in pixels (a very narrow strip).
    static constexpr int dimensione_minima = 8;

signals:
    // Acquisition was switched on (a start that succeeded) or off.
    void acquisizione_cambiata(bool accesa);

private:
    void reset_dati();
    void torna_spento();
    // The buttons' text size for their placed size.
    void adatta_caratteri();

    StatoCollegamento& stato_;
    VistaSalti& vista_;
    SequenzeScheda& scheda_;
    AzioniComandi azioni_;
    bool torna_spento_ = false;
};
