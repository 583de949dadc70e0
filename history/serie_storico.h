#pragma once

#include "history/prova_storico.h"
#include "platform/grafico_serie.h"

#include <QColor>
#include <QString>

#include <vector>

// The lines of the history's two graphs, built from the rows.
namespace serie_storico {

// The comparison draws at most this many tests: beyond that no line can be told apart.
inline constexpr int prove_massime_confronto = 10;

// A colour for line i, each unlike the others.
QColor colore(int i);

struct Confronto {
    std::vector<SerieGrafico> serie;
    int lette = 0;  // chosen tests that could be drawn (read, with jumps)
};

// The heights of the chosen tests jump by jump (X the jump's place 1..N), one
// line and colour per test, named by its date (and exercise, when the lines are of
// more than one), oldest first. Files not read or damaged and tests with no jump
// are left out; of more than `prove_massime_confronto` the newest are drawn.
Confronto confronto(const std::vector<const ProvaStorico*>& scelte);

inline const QString nome_media = QStringLiteral("H media");
inline const QString nome_migliore = QStringLiteral("H migliore");

// The mean and the best height of every test of the exercise read, by the date
// of the test (X in ms since 1970-01-01 UTC), oldest first; no line when no test
// of the exercise was read.
std::vector<SerieGrafico> andamento(const std::vector<ProvaStorico>& prove, const QString& esercizio);

}  // namespace serie_storico
