#pragma once

#include "core/assemblatore_salti.h"
#include "platform/porta_seriale.h"

#include <functional>

class Beep;
class EntrataSalti;
class ProtocolloScheda;
struct Stato;

// The serial port's data-received event: starts a detection when no board is
// known, throws the first frame after a start away, and turns every 8-byte frame
// (contact us, flight us, big-endian) into the jump entry while acquisition is on.
class RicezioneSeriale {
public:
    RicezioneSeriale(Stato& stato, PortaSeriale& porta, ProtocolloScheda& protocollo, EntrataSalti& entrata,
                     Beep& beep);

    void evento(EventoPorta tipo);

    // The serial window, shown while a detection started here runs.
    std::function<void()> mostra_finestra;
    std::function<void()> nascondi_finestra;

    AssemblatoreSalti& assemblatore() { return assemblatore_; }

private:
    void decodifica();

    Stato& stato_;
    PortaSeriale& porta_;
    ProtocolloScheda& protocollo_;
    Beep& beep_;
    AssemblatoreSalti assemblatore_;
};
