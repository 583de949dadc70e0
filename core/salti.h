#pragma once

#include "core/salto.h"

#include <cstdint>
#include <vector>

// The jumps of the current test. Element 0 is a placeholder that never holds a
// jump, so jump k is element k and the number of jumps is the upper bound.
class Salti {
public:
    Salti();

    int32_t limite_superiore() const;  // number of jumps
    int32_t numero() const { return limite_superiore(); }
    bool vuota() const { return numero() == 0; }

    Salto& operator[](int32_t k);
    const Salto& operator[](int32_t k) const;
    Salto& ultimo() { return (*this)[numero()]; }

    // Grows by one all-zero record with the given contact time; returns its index.
    int32_t aggiungi(double t_contatto);
    // Back to the placeholder alone.
    void azzera();
    // Removes jump k (1 <= k <= numero()), moving later records down whole;
    // they keep their stored n_rip. Out of range: nothing happens.
    void elimina(int32_t k);
    // Replaces the test with these jumps (they become elements 1..n).
    void sostituisci(std::vector<Salto> salti);
    // Recreates with n all-zero jumps.
    void ridimensiona(int32_t n);

    const std::vector<Salto>& elementi() const { return v_; }
    bool operator==(const Salti&) const = default;

private:
    std::vector<Salto> v_;
};
