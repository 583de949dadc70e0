#pragma once

#include "history/prova_storico.h"

class FogliDiCalcolo;

namespace lettura_storico {

// The row of a file not read yet: the exercise and date its name tells, else the
// date of its last modification.
ProvaStorico da_leggere(const FileProva& file);

// Reads the file as a test, a text file (.csv) or a workbook (.xlsx, .xls), and
// computes its figures. A file that does not read as a test gives a damaged row
// with the reason. Runs on any thread: it touches nothing but the file and `fogli`.
ProvaStorico leggi(const FileProva& file, FogliDiCalcolo& fogli);

// The test's figures from its jumps, as the report computes them.
void calcola_figure(ProvaStorico& prova);

}  // namespace lettura_storico
