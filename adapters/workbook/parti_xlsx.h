#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

class FoglioMemoria;

// One part of an .xlsx package: its name inside the zip and its XML.
struct ParteXlsx {
    const char* nome;
    std::string xml;
};

// The parts of a workbook whose one worksheet, "Foglio1", is `foglio`, in the
// order they go into the package: cell values (numbers in the shortest text that
// reads back as the same double, text in the shared-string table), the column
// width, number formats and bold. Nothing, with the reason in `errore`, for a
// sheet no workbook can hold (a number that is not finite, a text longer than a
// cell takes).
std::optional<std::vector<ParteXlsx>> parti_xlsx(const FoglioMemoria& foglio, QString* errore);

// Column width as stored in the file for a width in characters: the digit width
// of the default font (7 pixels) plus the cell padding, as spreadsheet programs
// compute it.
double larghezza_registrata(double caratteri);
