#pragma once

#include "core/salto.h"

#include <cstdint>
#include <vector>

// What the rest of the program asks of the jump panel (list, labels, graph).
// The panel implements it; tests use a fake.
class VistaSalti {
public:
    virtual ~VistaSalti() = default;
    // Shows completed jump k of the test: big labels, one row, one point per plot.
    virtual void mostra_salto(int32_t k) = 0;
    // aggiungi_salto's display step: the contact-time label, when the header asks for it.
    virtual void mostra_contatto(int32_t tc_ms) = 0;
    // Empties the test (salti back to the placeholder) and its display.
    virtual void azzera_prova() = 0;
    // A loaded jump: one row (column 0 shows k) and one point per plot.
    virtual void aggiungi_riga(int32_t k, const Salto& salto) = 0;
    // Rows selected in the list (0-based), in order.
    virtual std::vector<int32_t> righe_selezionate() const = 0;
};

// The header panel, as seen by whoever changes the athlete or exercise.
class VistaIntestazione {
public:
    virtual ~VistaIntestazione() = default;
    virtual void Aggiorna_intestazione() = 0;
};
