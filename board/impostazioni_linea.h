#pragma once

#include <QString>

// What the serial dialog shows for a line settings text such as "19200,N,8,1":
// the entries of its speed, parity, data-bits and stop-bits lists, taken by
// position from the end of the text (a "." in it means 1.5 stop bits).
struct SceltaLinea {
    QString velocita;
    int parita = -1;  // index in "Even", "Odd", "Nessuna", "Mark", "Space"; -1 none
    QString bit_dati;
    QString bit_stop;  // as the list shows it: "1", "1,5", "2"
};

SceltaLinea scomponi_impostazioni(const QString& s);
