#pragma once

#include <cstdint>

class ModelloProva;
struct SessioneAtleta;

// Turns the contact and flight times of one board record into jumps, applying the
// minimum flight time: a flight not longer than t_volo_min is no jump, and its
// time and its contact are added to the pending contact time of the next jump.
// Each transport owns one, so each has its own pending contact time; clearing
// the test or starting and stopping does not reset it, a recorded jump does.
class AssemblatoreSalti {
public:
    AssemblatoreSalti(const SessioneAtleta& sessione, ModelloProva& prova) : sessione_(sessione), prova_(prova) {}

    // Times already in whole ms. Returns true when a jump was recorded.
    bool nuovi_tempi(int64_t tc_ms, int64_t tv_ms);
    // Times in microseconds, as on the wire (rounded to ms, ties to even).
    bool nuovi_tempi_us(int64_t contatto_us, int64_t volo_us);

    int64_t contatto_pendente() const { return pendente_; }

private:
    const SessioneAtleta& sessione_;
    ModelloProva& prova_;
    int64_t pendente_ = 0;
};
