#pragma once

#include <QString>

// Starting other programs. Failures are reported only through the result; callers
// stay silent about them.
class AvvioProgrammi {
public:
    virtual ~AvvioProgrammi() = default;
    // The system calculator, minimized and not waited for.
    virtual bool avvia_calcolatrice() = 0;
    // Opens a document with the program the system associates with it.
    virtual bool apri_documento(const QString& percorso) = 0;
};
