#pragma once

#include "core/salti.h"
#include "files/prova_letta.h"
#include "platform/cartella_lavoro.h"

#include <QString>
#include <QStringList>

// The worksheet of a test. Row 1 holds the titles A1:I1 (bold) and the number of
// jumps N in J1 (format "0"); jump k is on row k + 1: A time stamp, B athlete,
// C exercise, D n_rip, E t_volo, F t_contatto, G altezza, H s_acc, I potenza
// (G to I formatted "#.0"). Every column is 10 wide.
namespace foglio_prova {

inline const QStringList titoli = {
    QStringLiteral("Data"),        QStringLiteral("Nome"),        QStringLiteral("Tipo salto"),
    QStringLiteral("N rip"),       QStringLiteral("T volo (ms)"), QStringLiteral("T cont (ms)"),
    QStringLiteral("H (cm) "),     QStringLiteral("Sdown (cm) "), QStringLiteral("Potenza (W)")};
inline const QString titolo_controllo = QStringLiteral("Tipo salto");  // C1, the layout check
inline constexpr int colonna_n = 10;                                    // J
inline constexpr double larghezza_colonne = 10;

}  // namespace foglio_prova

// Writes the test into an empty sheet. N must fit a signed 16-bit integer: a
// larger test writes nothing and gives false with "Overflow" in `errore`.
bool scrivi_prova_foglio(FoglioLavoro& foglio, const Salti& salti, const QString& nome_utente,
                         const QString& macchina_utente, const QString& marca_temporale,
                         const Avanzamento& avanzamento, QString* errore);

// Reads C1 (must be "Tipo salto" exactly, else FormatoErrato), B2, C2, J1 and
// columns D to I of rows 2..N+1. An empty cell reads as 0 or as empty text; a
// cell of D to I or J1 that is not a number, an N outside 16 bits or negative
// give Errore with the description.
EsitoLettura leggi_prova_foglio(const FoglioLavoro& foglio, const Avanzamento& avanzamento);

// Opens the workbook at `percorso`, reads its active sheet as above and lets it
// go. A workbook that does not open gives Errore with the reason. Runs on the
// thread that reads (see FogliDiCalcolo::apri).
EsitoLettura leggi_file_foglio(const QString& percorso, FogliDiCalcolo& fogli, const Avanzamento& avanzamento);
