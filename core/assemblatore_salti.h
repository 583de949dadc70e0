#pragma once

#include <cstdint>

class EntrataSalti;
struct Stato;

// Big-endian signed 32-bit word of the serial frame (b0 most significant).
int32_t parola_be(const uint8_t* b);
// Little-endian unsigned 32-bit field of the HID report.
uint32_t parola_le(const uint8_t* b);

// Turns the contact and flight times of one board record into jumps, applying the
// minimum flight time: a flight not longer than t_volo_min is no jump, and its
// time and its contact are added to the pending contact time of the next jump.
// Each transport owns one, so each has its own pending contact time; clearing
// the test or starting and stopping does not reset it, a recorded jump does.
class AssemblatoreSalti {
public:
    AssemblatoreSalti(Stato& stato, EntrataSalti& entrata) : stato_(stato), entrata_(entrata) {}

    // Times already in whole ms. Returns true when a jump was recorded.
    bool nuovi_tempi(int64_t tc_ms, int64_t tv_ms);
    // Times in microseconds, as on the wire (rounded to ms, ties to even).
    bool nuovi_tempi_us(int64_t contatto_us, int64_t volo_us);

    int64_t contatto_pendente() const { return pendente_; }

private:
    Stato& stato_;
    EntrataSalti& entrata_;
    int64_t pendente_ = 0;
};
