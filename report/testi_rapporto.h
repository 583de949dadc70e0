#pragma once

#include "core/salto.h"
#include "core/testi_salto.h"
#include "report/dati_rapporto.h"
#include "tools/figure_prova.h"

#include <QString>

#include <array>
#include <vector>

// The texts of the test report, in Italian, with the program's number formats
// and the locale's decimal separator.
namespace testi_rapporto {

inline const QString titolo = QStringLiteral("Rapporto prova");
inline const QString titolo_figure = QStringLiteral("Sintesi");
inline const QString titolo_medie = QStringLiteral("Valori medi");
inline const QString titolo_tabella = QStringLiteral("Salti");
inline const QString non_disponibile = QStringLiteral("n.d.");

// A jump's row as the list shows it (under testi_salto::teste), column 0 the
// jump's own repetition number.
testi_salto::Riga riga(const Salto& s);

// "15/03/2024 09:05"; an invalid date reads "non disponibile".
QString data_ora(const QDateTime& quando);

struct Voce {
    QString etichetta;
    QString valore;
};

// Squadra, Atleta, Esercizio (left column); Data prova, T volo min, Numero salti (right).
std::vector<Voce> intestazione(const DatiRapporto& dati);

// The coach's figures, one line each, and the note that says how two of them are made.
std::vector<Voce> figure(const figure_prova::Figure& f);
QString nota_figure(const figure_prova::Figure& f);

// The averages window's rows: text, mean and decrement of quantities 1..5, under
// the window's heads (testi_medie).
struct RigaMedie {
    QString testo, media, decremento;
};
std::vector<RigaMedie> medie(const figure_prova::Figure& f);

// Footer texts.
QString pagina(int n, int di);
QString stampato(const QDateTime& quando);

}  // namespace testi_rapporto
