#pragma once

// One jump: six 64-bit floats, in this order.
struct Salto {
    double t_volo = 0;      // ms, flight time
    double altezza = 0;     // cm, height from the flight time
    double t_contatto = 0;  // ms, contact before the flight (merged short flights included)
    double s_acc = 0;       // cm, push-off distance ("Sp.Acc.", "Sdown (cm) ")
    double potenza = 0;     // power figure, labelled W
    double n_rip = 0;       // repetition number: the record's own index when it arrived

    bool operator==(const Salto&) const = default;
};
