#pragma once

#include "athletes/righe_configurazione.h"
#include "core/stato.h"
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
// hidden under the free-text box Txt_nota. Every opening builds the rows afresh
// from the settings store, the list file, the team folder and the athlete file;
// the commit sets the application state, creates the folders, stores the choice
// and writes both register files.
class Frm_configura : public QDialog {
    Q_OBJECT

public:
    Frm_configura(Stato& stato, ArchivioImpostazioni& impostazioni, Messaggi& messaggi, CasellaInput& casella,
                  VistaIntestazione& intestazione, QWidget* genitore = nullptr);

    // Opens the dialog and waits until it is closed (start-up). The result is
    // QDialog::Accepted after "&Ok", QDialog::Rejected otherwise.
    int mostra_modale();
    // Opens the dialog without blocking (header button, menu); one already open is brought to the front.
    void mostra();
    // Closes the dialog with no commit and no header refresh (the main window is closing).
    void chiudi();

    // Procedures of the dialog.
    void Prepara_campi();
    void Elenca_atleti();
    void Aggiorna_campi(bool completa);
    // False when the commit stopped: an unusable team or athlete name, or a folder not created.
    bool Applica_configurazione();
    void Nuovo(int riga);
    void Elimina(int riga);
    void Ok();
    void Annulla();

    // The rows as they stand: entries and selected positions.
    RigheConfigurazione righe() const;
    // The entry the row shows (the current one, or the one equal to typed text), -1 for none.
    int32_t posizione_selezionata(int riga) const;
    // What the row shows, typed text included.
    QString testo_riga(int riga) const;
    bool aggiornamento_in_corso() const { return aggiornamento_in_corso_; }

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
    void riempi_riga(int riga, const QStringList& voci);
    // Selects by code; the row's selection handling runs unless aggiornamento_in_corso is set.
    void seleziona(int riga, int32_t posizione);
    void selezione_riga(int riga);
    // Shows why the team (and athlete) cannot become folders; true when they cannot.
    bool rifiuta_nome(const QString& squadra, const QString& atleta);

    Stato& stato_;
    ArchivioImpostazioni& impostazioni_;
    Messaggi& messaggi_;
    CasellaInput& casella_;
    VistaIntestazione& intestazione_;

    GruppoControlli<QLabel> lbl_utente_;
    GruppoControlli<QComboBox> txt_utente_;
    GruppoControlli<QPushButton> cmd_add_;
    GruppoControlli<QPushButton> cmd_elimina_;
    QLineEdit* txt_nota_;
    QPushButton* cmd_ok_;
    QPushButton* cmd_annulla_;
    bool aggiornamento_in_corso_ = false;
};
