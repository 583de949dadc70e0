#pragma once

#include "history/prova_storico.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

class FogliDiCalcolo;

// The history table written out: the column titles, then one line per row, as
// the table shows them. Both files appear whole or not at all.
namespace esporta_storico {

// Comma-separated text in UTF-8 (with the mark spreadsheet programs look for),
// CR LF line ends, numbers with "." as decimal point and the table's decimals,
// text in double quotes when it holds a comma, a quote or a line end.
QByteArray testo_csv(const std::vector<const ProvaStorico*>& righe);
std::optional<QString> scrivi_csv(const QString& percorso, const std::vector<const ProvaStorico*>& righe);

// A workbook of one sheet: titles in bold on row 1, numbers as numbers shown with
// the table's decimals, text as text.
std::optional<QString> scrivi_xlsx(const QString& percorso, const std::vector<const ProvaStorico*>& righe,
                                   FogliDiCalcolo& fogli);

}  // namespace esporta_storico
