#pragma once

#include <cstdint>
#include <vector>

// What the command panel and the averages ask of the jump panel. The panel shows
// the test by listening to its model; these are the two things it does on request.
class VistaSalti {
public:
    virtual ~VistaSalti() = default;
    // Empties the test: asks the model to clear, and the views empty themselves on its notice.
    virtual void azzera_prova() = 0;
    // Rows selected in the list (0-based), in order.
    virtual std::vector<int32_t> righe_selezionate() const = 0;
};

// The header panel, as seen by whoever changes the athlete or exercise.
class VistaIntestazione {
public:
    virtual ~VistaIntestazione() = default;
    virtual void Aggiorna_intestazione() = 0;
};
