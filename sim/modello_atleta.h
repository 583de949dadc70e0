#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

// One timing record as a simulated board sends it: the contact and the flight
// after it, in microseconds, and an optional pause before it is sent.
struct TempiSalto {
    int64_t contatto_us = 0;
    int64_t volo_us = 0;
    int pausa_ms = -1;  // -1: the real time of contact + flight
};

// Where the simulated boards take their records from: a script, or a model of an
// athlete jumping (contacts 150-300 ms, flights 350-600 ms, and now and then a
// bounce with a flight under 20 ms).
class SorgenteSalti {
public:
    // A model with this seed (the same seed gives the same athlete).
    explicit SorgenteSalti(uint32_t seme = 1);
    // A script: one "contact_us flight_us [pause_ms]" per line; blank lines and lines
    // starting with '#' are skipped. Returns nothing and fills `errore` on a bad line.
    static std::optional<SorgenteSalti> da_script(const QString& testo, QString* errore = nullptr);

    // The next record; a script that has ended gives nothing (a model never ends).
    std::optional<TempiSalto> prossimo();
    bool da_copione() const { return copione_; }

private:
    bool copione_ = false;
    std::vector<TempiSalto> righe_;
    size_t pos_ = 0;
    std::mt19937 rng_;
};
