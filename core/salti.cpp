#include "core/salti.h"

#include <stdexcept>

Salti::Salti() : v_(1) {}

int32_t Salti::limite_superiore() const { return static_cast<int32_t>(v_.size()) - 1; }

Salto& Salti::operator[](int32_t k) { return v_.at(static_cast<size_t>(k)); }
const Salto& Salti::operator[](int32_t k) const { return v_.at(static_cast<size_t>(k)); }

int32_t Salti::aggiungi(double t_contatto) {
    Salto s;
    s.t_contatto = t_contatto;
    v_.push_back(s);
    return limite_superiore();
}

void Salti::azzera() { v_.assign(1, Salto{}); }

void Salti::elimina(int32_t k) {
    if (k < 1 || k > limite_superiore()) return;
    v_.erase(v_.begin() + k);
}

void Salti::sostituisci(std::vector<Salto> salti) {
    v_.assign(1, Salto{});
    v_.insert(v_.end(), salti.begin(), salti.end());
}

void Salti::ridimensiona(int32_t n) { v_.assign(static_cast<size_t>(n < 0 ? 0 : n) + 1, Salto{}); }
