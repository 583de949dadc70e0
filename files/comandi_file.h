#pragma once

#include "files/frm_progress.h"
#include "files/prova_letta.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

class ModelloProva;
struct SessioneAtleta;
class VistaIntestazione;
class DialogoFile;
class Messaggi;
class FogliDiCalcolo;
class QWidget;

// The main window's file commands: saving the test as a workbook, importing a
// workbook or the text file of a test. An import reads the whole file into a
// new test first and replaces the test (whose views then show it anew), the
// athlete, the exercise and the header only when the read succeeded; on failure
// the current test, athlete and exercise stay as they were.
//
// The file is read on a thread of its own, the progress window up, while the
// user-interface thread keeps processing its events: the board's jumps still
// reach the test and are shown, and the test read replaces them when the read is
// done (the test changes only on the user-interface thread). While an import
// runs no other file command starts: it returns at once, doing nothing. A path
// that is not a regular file (a folder, a FIFO, a device) is refused at once,
// before anything is opened.
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
    // Whether an import is reading its file.
    bool importazione_in_corso() const { return occupato_; }

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
    // How long an import waits for its file (a disk or a network that stopped
    // answering) before it gives up with a message; the read is left behind.
    int scadenza_lettura_ms = 60000;

private:
    // The read of an import, off the user-interface thread with the progress
    // window up; nothing when it passed the deadline.
    std::optional<EsitoLettura> leggi(std::function<EsitoLettura(const Avanzamento&)> lettura);
    void applica(ProvaLetta prova);
    void errore(const QString& testo);
    void errore_scadenza(const QString& procedura);

    ModelloProva& prova_;
    SessioneAtleta& sessione_;
    VistaIntestazione& intestazione_;
    DialogoFile& dialogo_;
    Messaggi& messaggi_;
    FogliDiCalcolo& fogli_;
    ProgressoSuRichiesta progresso_;
    bool occupato_ = false;
};
