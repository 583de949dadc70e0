#pragma once

#include "core/viste.h"
#include "ui/disposizione.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class Frm_grafici;
struct SessioneAtleta;

// The header panel across the top of the main window: whose test is running,
// the button to the configuration dialog, and the two check-box pairs that
// choose what the jump panel's two large labels show.
class Frm_intestazione : public QWidget, public VistaIntestazione {
    Q_OBJECT

public:
    // Wires itself to the jump panel (its check boxes, its two captions, and the
    // panel's place below this one), then loads: layout, texts, default boxes.
    Frm_intestazione(const SessioneAtleta& sessione, Frm_grafici& grafici, DimensioniClient client, QWidget* genitore = nullptr);

    void Aggiorna_intestazione() override;
    void riposiziona();
    void riposiziona(double MW, double MH);

    // What Button_Configura does: show the configuration dialog (not modal).
    void imposta_apri_configurazione(std::function<void()> apri) { apri_configurazione_ = std::move(apri); }

    QPushButton* Button_Configura = nullptr;
    QLabel* Lbl_intestazione = nullptr;
    QLabel* Lbl_intestazione1 = nullptr;
    QLabel* Lbl_t_volo = nullptr;
    QCheckBox* Chk_altezza = nullptr;
    QCheckBox* Chk_tv = nullptr;
    QCheckBox* Chk_potenza = nullptr;
    QCheckBox* Chk_tc = nullptr;
    QGroupBox* Fre_altezza_tv = nullptr;

private:
    // Text sizes (and the widths that follow them) for the placed controls.
    void adatta_caselle();
    void adatta_pulsante();
    void adatta_etichette();
    void crea_controlli();
    void collega_coppia(QCheckBox* casella, QCheckBox* compagna);

    const SessioneAtleta& sessione_;
    Frm_grafici& grafici_;
    DimensioniClient client_;
    std::function<void()> apri_configurazione_;
    int alto_casella_ = 0;  // pixels: the height of a check box's row
};
