#pragma once

#include "core/salto.h"

#include <QString>

#include <array>

// The texts of a jump as the jump list shows it, one per column, with the
// program's number formats and the locale's decimal separator: the panel's
// lists and the report's table print the same row under the same heads.
namespace testi_salto {

inline constexpr int colonne = 6;
using Riga = std::array<QString, colonne>;

inline const Riga teste = {QStringLiteral("N°Rip"),  QStringLiteral("Tvolo"),   QStringLiteral("Tcon."),
                           QStringLiteral("Altez."), QStringLiteral("Sp.Acc."), QStringLiteral("Pot.")};

// Column 0 shows `n_rip` (the caller says which number names the jump); the
// times are whole milliseconds, the distances and the power have one decimal.
Riga riga(const Salto& s, double n_rip);

}  // namespace testi_salto
