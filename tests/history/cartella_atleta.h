#pragma once

// An athlete's folder made by the tests: archive text files and workbooks with
// jumps of chosen heights, and whatever else a test puts there.

#include "adapters/workbook/fogli_file.h"
#include "sim/prove_finte.h"
#include "support/file_prova.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <vector>

// Jumps with these heights; contact times 200, 210, ... ms; power 1000 + 10 x height.
inline std::vector<Salto> salti_con(const std::vector<double>& altezze) {
    std::vector<Salto> v;
    for (size_t k = 0; k < altezze.size(); ++k) {
        const double n = static_cast<double>(k + 1);
        v.push_back({450 + n, altezze[k], 200 + 10 * (n - 1), 30, 1000 + 10 * altezze[k], n});
    }
    return v;
}

// The text file of a test as the archive writes it.
inline QByteArray testo_prova(const QString& atleta, const QString& esercizio, const std::vector<Salto>& salti) {
    return formato_archivio::testo_csv({atleta, esercizio, QDateTime(QDate(2024, 3, 20), QTime(10, 0)), {}}, salti);
}

struct CartellaAtleta {
    QTemporaryDir dir;
    QString percorso() const { return dir.path(); }
    QString file(const QString& nome) const { return QDir(dir.path()).filePath(nome); }

    // An archive file "prove/<exercise>_yyyy-MM-dd_HH-mm-ss.csv".
    QString archivio(const QString& esercizio, const QDateTime& quando, const std::vector<double>& altezze) {
        return prove_finte::scrivi_archivio(percorso(), QStringLiteral("Anna"), esercizio, quando, salti_con(altezze));
    }

    // A workbook saved as the program saves a test, with its time stamp in column A.
    QString cartella(const QString& nome, const QString& esercizio, const QDateTime& quando,
                     const std::vector<double>& altezze) {
        FogliDiCalcoloFile fogli;
        prove_finte::scrivi_cartella(fogli, file(nome), QStringLiteral("Anna"), esercizio, quando, salti_con(altezze));
        return nome;
    }
};
