#pragma once

// The board sequences the command panel runs, whatever transport carries them.
class SequenzeScheda {
public:
    virtual ~SequenzeScheda() = default;
    // Start of acquisition, from emptying the receive buffer on (the panel has
    // already emptied the test). Returns whether acquisition is on.
    virtual bool avvia_acquisizione() = 0;
    // Whether the start waits for the board's answer, and so can fail.
    virtual bool avvio_con_risposta() const { return false; }
    // Stop of acquisition: flags off, stop command to the board.
    virtual void arresta_acquisizione() = 0;
    // The serial half of the board reset: control lines low for 200 ms, then high.
    virtual void reset_linee() = 0;
};
