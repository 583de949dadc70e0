#pragma once

#include "core/assemblatore_salti.h"
#include "platform/porta_seriale.h"

#include <functional>

class Beep;
class ModelloProva;
class ProtocolloScheda;
class StatoCollegamento;
struct SessioneAtleta;

// The serial port's data-received event: starts a detection when no board is
// known, throws the first frame after a start away, and turns every 8-byte frame
// (contact us, flight us, big-endian) into a jump of the test while acquisition is on.
class RicezioneSeriale {
public:
    RicezioneSeriale(StatoCollegamento& stato, const SessioneAtleta& sessione, ModelloProva& prova,
                     PortaSeriale& porta, ProtocolloScheda& protocollo, Beep& beep);

    void evento(EventoPorta tipo);

    // The serial window, shown while a detection started here runs.
    std::function<void()> mostra_finestra;
    std::function<void()> nascondi_finestra;

    AssemblatoreSalti& assemblatore() { return assemblatore_; }

private:
    void decodifica();

    StatoCollegamento& stato_;
    PortaSeriale& porta_;
    ProtocolloScheda& protocollo_;
    Beep& beep_;
    AssemblatoreSalti assemblatore_;
};
