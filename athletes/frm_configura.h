#pragma once

#include "athletes/registro_atleti.h"
#include "core/cartelle_programma.h"
#include "core/sessione_atleta.h"
#include "core/viste.h"
#include "platform/archivio_impostazioni.h"
#include "platform/dialoghi.h"
#include "ui/gruppo_controlli.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// "Impostazione dati esercizio": team, athlete, exercise, minimum flight time and
// note, in five rows (label, editable list, "Nuovo", "Elimina"). Row 4's list is
// hidden under the free-text box Txt_nota. The rows are the register's: the
// dialog lays them out, hands every pick, typed text and button to the register
// and shows each row again when the register announces it changed.
class Frm_configura : public QDialog {
    Q_OBJECT

public:
    Frm_configura(SessioneAtleta& sessione, const CartelleProgramma& cartelle, ArchivioImpostazioni& impostazioni, Messaggi& messaggi, CasellaInput& casella,
                  VistaIntestazione& intestazione, QWidget* genitore = nullptr);

    // Opens the dialog and waits until it is closed (start-up). The result is
    // QDialog::Accepted after "&Ok", QDialog::Rejected otherwise.
    int mostra_modale();
    // Opens the dialog without blocking (header button, menu); one already open is brought to the front.
    void mostra();
    // Closes the dialog with no commit and no header refresh (the main window is closing).
    void chiudi();

    // Procedures of the dialog: the layout and texts here, the rest the register's.
    void Prepara_campi();
    void Elenca_atleti() { registro_.Elenca_atleti(); }
    void Aggiorna_campi(bool completa) { registro_.Aggiorna_campi(completa); }
    bool Applica_configurazione() { return registro_.Applica_configurazione(); }
    // Asks "Nuovo valore:" and hands the answer to the register.
    void Nuovo(int riga);
    void Elimina(int riga) { registro_.Elimina(riga); }
    void Ok();
    void Annulla();

    int32_t posizione_selezionata(int riga) const { return registro_.posizione_selezionata(riga); }
    // What the row's box shows on screen, typed text included.
    QString testo_riga(int riga) const { return txt_utente_[riga]->currentText(); }
    bool aggiornamento_in_corso() const { return registro_.aggiornamento_in_corso(); }

    QLabel* Lbl_utente(int riga) const { return lbl_utente_[riga]; }
    QComboBox* txt_utente(int riga) const { return txt_utente_[riga]; }
    QPushButton* Cmd_add(int riga) const { return cmd_add_[riga]; }
    QPushButton* Cmd_elimina(int riga) const { return cmd_elimina_[riga]; }
    QLineEdit* Txt_nota() const { return txt_nota_; }
    QPushButton* Cmd_ok() const { return cmd_ok_; }
    QPushButton* Cmd_annulla() const { return cmd_annulla_; }

    // Escape and the window's close button act as "&Annulla".
    void reject() override;

private:
    void apri();
    void disponi_righe();
    void imposta_testi();
    // The row's list, pick and text as the register holds them.
    void mostra_riga(int riga);

    RegistroAtleti registro_;
    CasellaInput& casella_;

    GruppoControlli<QLabel> lbl_utente_;
    GruppoControlli<QComboBox> txt_utente_;
    GruppoControlli<QPushButton> cmd_add_;
    GruppoControlli<QPushButton> cmd_elimina_;
    QLineEdit* txt_nota_;
    QPushButton* cmd_ok_;
    QPushButton* cmd_annulla_;
};
