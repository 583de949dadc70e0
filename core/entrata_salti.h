#pragma once

#include <cstdint>

struct Stato;
class VistaSalti;
class Beep;

// The single entry for a new jump from either transport: aggiungi_salto with the
// contact time, then completa_salto with the flight time.
class EntrataSalti {
public:
    EntrataSalti(Stato& stato, VistaSalti* vista, Beep* beep) : stato_(stato), vista_(vista), beep_(beep) {}

    void imposta_vista(VistaSalti* vista) { vista_ = vista; }
    void imposta_beep(Beep* beep) { beep_ = beep; }

    // Appends a record with this contact time and shows it in the contact label
    // when the header asks for contact times.
    void aggiungi_salto(int32_t tc_ms);
    // Completes the last record from its flight time, beeps and shows the jump.
    void completa_salto(int32_t tv_ms);

    Stato& stato() { return stato_; }

private:
    Stato& stato_;
    VistaSalti* vista_;
    Beep* beep_;
};
