#pragma once

#include "core/salti.h"

#include <QDateTime>
#include <QString>

#include <cstdint>

// Everything a test report shows, as plain values.
struct DatiRapporto {
    QString squadra;
    QString atleta;
    QString esercizio;
    QDateTime data_prova;  // invalid: not known
    int32_t t_volo_min = 0;
    const Salti& salti;
    QString versione;       // the program's version text, in the footer
    QDateTime data_stampa;  // when the report is made, in the footer
};
