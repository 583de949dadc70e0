#pragma once

#include "files/prova_letta.h"

#include <QDateTime>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>
#include <memory>

class ModelloProva;
struct SessioneAtleta;
class VistaIntestazione;
class DialogoFile;
class Messaggi;
class FogliDiCalcolo;
class Frm_progress;
class QWidget;

// The main window's file commands: saving the test as a workbook, importing a
// workbook or the text file of a test. An import reads the whole file into a
// new test first and replaces the test (whose views then show it anew), the
// athlete, the exercise and the header only when the read succeeded; on failure
// the current test, athlete and exercise stay as they were.
class ComandiFile {
public:
    // `genitore` (may be null) is the owner of the progress window.
    ComandiFile(ModelloProva& prova, SessioneAtleta& sessione, VistaIntestazione& intestazione,
                DialogoFile& dialogo, Messaggi& messaggi, FogliDiCalcolo& fogli, QWidget* genitore = nullptr);
    ~ComandiFile();

    // "Salva dati con nome..." and the command panel's "SALVA": asks for the file
    // name (cancel is silent), then saves.
    void mnuFileSalva_dati();
    // Writes the current test to a new workbook stored under `percorso`. A failure
    // is shown ("Salva_File_Dati_Excel: " + reason) and gives false; a file that
    // was already there is then unchanged.
    bool Salva_File_Dati_Excel(const QString& percorso);

    // "Apri": asks for a workbook (cancel is silent), then imports it.
    void mnuFileApri();
    // Replaces the current test with the one in the workbook; true when it did.
    // The file is never modified.
    bool apri_file_xls(const QString& percorso);

    // "Apri file csv": asks for the file (cancel is silent) and imports it; a
    // file without the "HOPA" marker is ignored without a word.
    void apri_file_csv();
    // The same import of the file at `percorso`, without the dialog; true when the
    // test was replaced. `quando`, when valid, is when the test was taken (the
    // file holds no time stamp: otherwise its last modification stands for it).
    bool apri_file_csv(const QString& percorso, const QDateTime& quando = {});
    // "Apri con Excel": the open dialog; gives the chosen workbook (nothing on cancel),
    // which the caller opens in the system's spreadsheet program.
    std::optional<QString> apri_excel();

    // The progress window, created on first use.
    Frm_progress& progresso();

    // Clock of the time stamps (suggested file name and column A).
    std::function<QDateTime()> adesso = [] { return QDateTime::currentDateTime(); };

private:
    void applica(ProvaLetta prova);
    Avanzamento avanzamento();
    void errore(const QString& testo);

    ModelloProva& prova_;
    SessioneAtleta& sessione_;
    VistaIntestazione& intestazione_;
    DialogoFile& dialogo_;
    Messaggi& messaggi_;
    FogliDiCalcolo& fogli_;
    QWidget* genitore_;
    QPointer<Frm_progress> progresso_;
    std::unique_ptr<Frm_progress> senza_genitore_;
};
