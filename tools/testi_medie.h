#pragma once

#include <QString>

#include <array>

// The texts of the averages window "Valori Medi", which the report's table of
// means repeats.
namespace testi_medie {

// The heads of the two columns of results.
inline const QString testa_media = QStringLiteral("MEDIA");
inline const QString testa_decremento = QStringLiteral("DECREMENTO");

// What rows 1..5 hold (row 0 is the window's hidden template).
inline const std::array<QString, 6> righe = {QString(),
                                             QStringLiteral("Tempo Volo (msec)"),
                                             QStringLiteral("Altezza (cm)"),
                                             QStringLiteral("Tempo Contatto (msec)"),
                                             QStringLiteral("Spazio Acc. (cm)"),
                                             QStringLiteral("Potenza (Watt)")};

}  // namespace testi_medie
