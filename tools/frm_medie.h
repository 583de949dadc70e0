#pragma once

#include "core/viste.h"
#include "tools/risultati_medie.h"
#include "platform/dialoghi.h"
#include "ui/gruppo_controlli.h"

#include <QLineEdit>
#include <QPoint>
#include <QPushButton>
#include <QWidget>

class ModelloProva;

// The averages window "Valori Medi": means and total decrements of the test's
// jumps, or of the jumps selected in the jump list. Results live in a
// RisultatiMedie the window is given, so the window may be hidden or rebuilt freely.
class Frm_medie : public QWidget {
    Q_OBJECT

public:
    Frm_medie(RisultatiMedie& risultati, const ModelloProva& prova, const VistaSalti& vista, Messaggi& messaggi,
              QWidget* genitore = nullptr);

    // Computes the means and decrements (all jumps, or the selected ones when
    // `parziali`) and writes them into the window. With no jump to work on it says
    // "Lista salti vuota!" and shows the previous results again.
    void Calcolo_Medie(bool parziali = false);

    // Puts the window's left edge at half the main window's inner width
    // (`larghezza_interna`, pixels). `origine` is the top-left of that inner area in
    // the coordinates the window is moved in: (0,0) inside an MDI area, the inner
    // area's screen position for a top-level window. Inside a QMdiSubWindow the
    // sub-window is moved.
    void colloca(int larghezza_interna, QPoint origine = {});

    // Rows 1..5 of the three columns; row 0 is the hidden template.
    GruppoControlli<QLineEdit> Txt_medie;
    GruppoControlli<QLineEdit> Txt_valore_media;
    GruppoControlli<QLineEdit> Txt_dec_totale;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QPushButton* Cmd_chiudi;

private:
    void mostra_risultati();

    RisultatiMedie& risultati_;
    const ModelloProva& prova_;
    const VistaSalti& vista_;
    Messaggi& messaggi_;
};
