#pragma once

#include "athletes/righe_configurazione.h"
#include "core/cartelle_programma.h"
#include "core/sessione_atleta.h"
#include "core/viste.h"
#include "platform/archivio_impostazioni.h"
#include "platform/dialoghi.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// A row as the configuration dialog shows it: its entries, the entry picked last
// (-1 for none) and the text in its box, which may have been typed and match no entry.
struct RigaRegistro {
    QStringList voci;
    int32_t corrente = -1;
    QString testo;
};

// The register behind "Impostazione dati esercizio": its five rows (team, athlete,
// exercise, minimum flight time, note) and what is done to them. Opening builds
// the rows afresh from the settings store, the list file, the team folder and the
// athlete file; the commit sets the athlete session, creates the team and athlete
// folders, stores the choice and writes both register files.
//
// Every change of a row is announced at once, before anything that follows it
// (a message box included), so a window shows the rows as they stand.
class RegistroAtleti : public QObject {
    Q_OBJECT

public:
    RegistroAtleti(SessioneAtleta& sessione, const CartelleProgramma& cartelle, ArchivioImpostazioni& impostazioni,
                   Messaggi& messaggi, VistaIntestazione& intestazione, QObject* genitore = nullptr);

    // Reads the stored choice, fills the rows from the list file and the team
    // folder, then loads the chosen athlete's file.
    void Prepara_campi();
    // Row 1 becomes the team folder's subfolders, in name order; the first is picked.
    void Elenca_atleti();
    // Re-selects rows 0 (or 2, unless `completa`) to 4 from indice_utente; a position
    // that is neither -1 nor an entry of its row leaves that row as it is.
    void Aggiorna_campi(bool completa);
    // Picks an entry (-1 for none): a team lists its athletes, an athlete loads its
    // file; nothing further while aggiornamento_in_corso is set.
    void seleziona(int riga, int32_t posizione);
    // Text typed into a row's box. The window that took it already shows it: no notice.
    void digita(int riga, const QString& testo);
    // The answer to "Nuovo valore:" joins the row and is picked, unless it is empty,
    // already there or refused; the choice is committed in every case.
    void Nuovo(int riga, const QString& risposta);
    // Removes the entry shown and picks the one before it (the first when it was the first).
    void Elimina(int riga);
    // False when the commit stopped: an unusable team or athlete name, or a folder not created.
    bool Applica_configurazione();
    // Leaves without committing: the header is shown again from the state as it stands.
    void Annulla();

    const RigaRegistro& riga(int indice) const { return righe_[static_cast<size_t>(indice)]; }
    // The entry the row shows (the one picked, or the one equal to typed text), -1 for none.
    int32_t posizione_selezionata(int riga) const;
    QString testo_riga(int indice) const { return riga(indice).testo; }
    // The rows as the register files take them: entries and selected positions.
    RigheConfigurazione righe() const;
    bool aggiornamento_in_corso() const { return aggiornamento_in_corso_; }

signals:
    void riga_cambiata(int riga);

private:
    void riempi_riga(int riga, const QStringList& voci);
    void selezione_riga(int riga);
    // Shows why the team (and athlete) cannot become folders; true when they cannot.
    bool rifiuta_nome(const QString& squadra, const QString& atleta);

    SessioneAtleta& sessione_;
    const CartelleProgramma& cartelle_;
    ArchivioImpostazioni& impostazioni_;
    Messaggi& messaggi_;
    VistaIntestazione& intestazione_;

    std::array<RigaRegistro, ultima_riga + 1> righe_;
    bool aggiornamento_in_corso_ = false;
};
