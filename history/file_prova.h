#pragma once

#include "files/formato_archivio.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// A file of an athlete's folder that may hold a test, as the folder lists it.
struct FileProva {
    QString percorso;        // full path
    QString nome;            // from the athlete's folder: "x.xlsx" or "prove/x.csv"
    qint64 dimensione = 0;   // bytes
    qint64 modificato = 0;   // last modification, ms since 1970-01-01 UTC

    // The same file unchanged: what a cached reading is kept by.
    bool stesso(const FileProva& altro) const {
        return nome == altro.nome && dimensione == altro.dimensione && modificato == altro.modificato;
    }
};

namespace file_prova {

// A workbook (.xlsx, .xls) or a test text file (.csv), whatever the letter case.
bool estensione_di_prova(const QString& nome_file);
// A comma-separated text file (.csv), whatever the letter case: read or written
// as text rather than as a workbook.
bool estensione_csv(const QString& nome_file);

// The tests of an athlete: the files of a test's kind in the athlete's folder and
// in its "prove" folder (not deeper; hidden files are left out), by name.
std::vector<FileProva> elenca(const QString& cartella_atleta);

// What a test's file name tells: the exercise and when the test was taken. The
// archive names its files as formato_archivio::nome_file makes them; a saved
// workbook is suggested as "<exercise>_ yyyy mm dd hh mm ss.xlsx". Nothing for
// other names.
using DatiNome = formato_archivio::DatiNome;
std::optional<DatiNome> dati_dal_nome(const QString& nome_file);

}  // namespace file_prova
