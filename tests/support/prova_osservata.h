#pragma once

// Listens to a test model as the jump panel does and writes down what it was told.

#include "core/modello_prova.h"

#include <vector>

struct ProvaOsservata {
    explicit ProvaOsservata(ModelloProva& prova) {
        QObject::connect(&prova, &ModelloProva::salto_aggiunto, [this](int32_t, int32_t tc) { contatti.push_back(tc); });
        QObject::connect(&prova, &ModelloProva::salto_completato,
                         [this](int32_t k, const Salto&) { completati.push_back(k); });
        QObject::connect(&prova, &ModelloProva::azzerata, [this] { ++azzeramenti; });
        QObject::connect(&prova, &ModelloProva::salto_eliminato, [this](int32_t k) { eliminati.push_back(k); });
        QObject::connect(&prova, &ModelloProva::sostituita, [this, &prova] {
            // The panel empties itself, then shows every jump of the new test.
            ++azzeramenti;
            for (int32_t k = 1; k <= prova.numero(); ++k) righe.push_back({k, prova.salti()[k]});
        });
    }

    std::vector<int32_t> contatti;    // contact time of every record appended
    std::vector<int32_t> completati;  // k of every jump completed
    int azzeramenti = 0;              // the test emptied: cleared, or replaced whole
    std::vector<int32_t> eliminati;   // k of every jump deleted
    struct Riga {
        int32_t k;
        Salto salto;
    };
    std::vector<Riga> righe;  // the rows a replaced test shows
};
