#pragma once

// Made-up tests of an athlete written as the program's own files: the archive's
// text files "<athlete>/prove/<exercise>_yyyy-mm-dd_hh-mm-ss.csv" in the format
// "Apri file csv" reads, and workbooks as "Salva dati con nome..." writes them.
// Header only: whoever includes it links the core, the files and a workbook engine.

#include "core/metriche.h"
#include "core/numeri.h"
#include "core/salti.h"
#include "files/foglio_prova.h"
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

// The text of a test file: "HOPA", header, athlete, exercise, header, N; two
// title lines; one line per jump.
inline QByteArray testo_csv(const QString& atleta, const QString& esercizio, const std::vector<Salto>& salti) {
    const auto n = [](double v) { return QByteArray::number(v, 'g', 12); };
    QByteArray t = "HOPA,\"Hopa\",\"" + atleta.toLatin1() + "\",\"" + esercizio.toLatin1() + "\",\"salti\"," +
                   QByteArray::number(static_cast<qulonglong>(salti.size())) +
                   "\r\nN,T volo,T cont,H,Sdown,Potenza,N\r\n,ms,ms,cm,cm,W,\r\n";
    int k = 0;
    for (const Salto& s : salti) {
        ++k;
        t += QByteArray::number(k) + ',' + n(s.t_volo) + ',' + n(s.t_contatto) + ',' + n(s.altezza) + ',' + n(s.s_acc) +
             ',' + n(s.potenza) + ',' + QByteArray::number(k) + "\r\n";
    }
    return t;
}

// The archive's name of a test, inside the athlete's folder.
inline QString nome_archivio(const QString& esercizio, const QDateTime& quando) {
    return QStringLiteral("prove/") + esercizio + u'_' + quando.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) +
           QStringLiteral(".csv");
}

// Writes the archive's text file of a test; its name inside the athlete's folder,
// empty when it could not be written.
inline QString scrivi_archivio(const QString& cartella_atleta, const QString& atleta, const QString& esercizio,
                               const QDateTime& quando, const std::vector<Salto>& salti) {
    const QString nome = nome_archivio(esercizio, quando);
    const QDir cartella(cartella_atleta);
    if (!cartella.mkpath(QStringLiteral("prove"))) return {};
    QFile f(cartella.filePath(nome));
    const QByteArray testo = testo_csv(atleta, esercizio, salti);
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
