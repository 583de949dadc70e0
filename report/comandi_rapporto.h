#pragma once

#include "core/salti.h"
#include "files/frm_progress.h"
#include "report/dati_rapporto.h"

#include <QDateTime>
#include <QString>

#include <functional>

class DialogoFile;
class DialogoStampa;
class Messaggi;
class ModelloProva;
struct SessioneAtleta;
class QWidget;

// The File menu's report commands. Each reads the test and the session afresh
// when it starts and works on a copy of the jumps taken then, so jumps arriving
// meanwhile (the progress window lets the board's events through) never disturb
// the pages being drawn. The save dialog starts in the athlete's folder.
class ComandiRapporto {
public:
    inline static const QString testo_esporta = QStringLiteral("Esporta rapporto PDF...");
    inline static const QString testo_stampa = QStringLiteral("Stampa rapporto...");

    // `versione` is the program's version text for the footer; `genitore` (may be
    // null) owns the progress window.
    ComandiRapporto(const ModelloProva& prova, const SessioneAtleta& sessione, QString versione,
                    DialogoFile& dialogo, DialogoStampa& stampa, Messaggi& messaggi, QWidget* genitore = nullptr);
    ~ComandiRapporto();

    // "Esporta rapporto PDF...": an empty test says "Lista salti vuota!"; otherwise
    // the save dialog (the athlete's folder, athlete_exercise_date.pdf; cancel is
    // silent), then esporta_pdf.
    void mnuFileEsporta_rapporto();
    // Writes the report to a temporary file beside `percorso` and renames it over
    // `percorso`. On any failure a message says what happened and what to do, no
    // file is left behind and a file already there is unchanged.
    bool esporta_pdf(const QString& percorso);

    // "Stampa rapporto...": an empty test says "Lista salti vuota!"; otherwise the
    // print dialog (cancel is silent), then the pages the user asked for.
    void mnuFileStampa_rapporto();

    // The progress window, created on first use.
    Frm_progress& progresso() { return progresso_.finestra(); }

    // Clock of the date printed in the footer (and of the suggested name when the
    // test's date is not known).
    std::function<QDateTime()> adesso = [] { return QDateTime::currentDateTime(); };

private:
    DatiRapporto dati(const Salti& copia) const;
    bool vuota(const Salti& salti);
    void errore(const QString& testo);

    const ModelloProva& prova_;
    const SessioneAtleta& sessione_;
    QString versione_;
    DialogoFile& dialogo_;
    DialogoStampa& stampa_;
    Messaggi& messaggi_;
    ProgressoSuRichiesta progresso_;
    bool occupato_ = false;
};
