#pragma once

// Made-up tests of an athlete written as the program's own files: the archive's
// text files "<athlete>/prove/<exercise>_yyyy-MM-dd_HH-mm-ss.csv" as the archive
// writes them, and workbooks as "Salva dati con nome..." writes them.
// Header only: whoever includes it links the core, the files and a workbook engine.

#include "core/metriche.h"
#include "core/numeri.h"
#include "core/salti.h"
#include "files/foglio_prova.h"
#include "files/formato_archivio.h"
#include "files/giornali_prove.h"
#include "platform/cartella_lavoro.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QString>

#include <cmath>
#include <random>
#include <vector>

namespace prove_finte {

// n jumps of an athlete whose flights start near `volo_ms` and shorten as the
// athlete tires; `seme` makes each test its own.
inline std::vector<Salto> salti(int n, double volo_ms, unsigned seme) {
    std::mt19937 rng(seme);
    std::normal_distribution<double> scarto(0, 8);
    Salti s;
    for (int k = 1; k <= n; ++k) {
        s.aggiungi(std::round(180 + 3 * k + scarto(rng)));
        calcola_metriche(s, static_cast<int32_t>(std::lround(volo_ms - 2.5 * k + scarto(rng))));
    }
    return {s.elementi().begin() + 1, s.elementi().end()};
}

// Writes the archive's text file of a test as the program finishes one; its name
// inside the athlete's folder, empty when it could not be written.
inline QString scrivi_archivio(const QString& cartella_atleta, const QString& atleta, const QString& esercizio,
                               const QDateTime& quando, const std::vector<Salto>& salti) {
    const QString nome = QDir(giornali_prove::nome_cartella_prove)
                             .filePath(formato_archivio::nome_file(esercizio, quando) + QStringLiteral(".csv"));
    const QDir cartella(cartella_atleta);
    if (!cartella.mkpath(giornali_prove::nome_cartella_prove)) return {};
    QFile f(cartella.filePath(nome));
    const QByteArray testo = formato_archivio::testo_csv({atleta, esercizio, quando, {}}, salti);
    if (!f.open(QIODevice::WriteOnly) || f.write(testo) != testo.size()) return {};
    return nome;
}

// Saves a test as a workbook, its time stamp in column A.
inline bool scrivi_cartella(FogliDiCalcolo& fogli, const QString& percorso, const QString& atleta,
                            const QString& esercizio, const QDateTime& quando, const std::vector<Salto>& salti) {
    auto cartella = fogli.nuova();
    if (!cartella) return false;
    Salti s;
    s.sostituisci(salti);
    QString errore;
    const bool ok = scrivi_prova_foglio(cartella->foglio_attivo(), s, atleta, esercizio, numeri::marca_temporale(quando),
                                        {}, &errore) &&
                    cartella->salva_con_nome(percorso, &errore);
    cartella->chiudi();
    return ok;
}

// A long test of n jumps with no athlete behind it: contacts of 150 to 349 ms and
// flights of 300 to 599 ms in steps that repeat only after hundreds of jumps, so
// every row differs from its neighbours and the figures are many different doubles.
inline Salti salti_variati(int n) {
    Salti s;
    for (int k = 1; k <= n; ++k) {
        s.aggiungi(150 + (k * 37) % 200);
        calcola_metriche(s, 300 + (k * 53) % 300);
    }
    return s;
}

}  // namespace prove_finte
