#pragma once

#include "core/salto.h"
#include "history/file_prova.h"
#include "tools/figure_prova.h"

#include <QDateTime>
#include <QString>

#include <vector>

// One row of an athlete's history: a file and what it holds.
struct ProvaStorico {
    enum class Stato {
        DaLeggere,   // listed, being read
        Letta,       // a test: jumps and figures below
        Danneggiata  // not readable as a test: `motivo` says why
    };

    FileProva file;
    Stato stato = Stato::DaLeggere;
    QString motivo;
    QDateTime quando;   // when the test was taken (from the file, its name, or its last modification)
    QString esercizio;  // from the file, or from its name while it is not read
    QString atleta;
    std::vector<Salto> salti;   // jumps 1..N
    figure_prova::Figure figure;  // computed from `salti`

    bool letta() const { return stato == Stato::Letta; }
};
