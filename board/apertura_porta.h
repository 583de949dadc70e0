#pragma once

#include "platform/porta_seriale.h"

class ArchivioImpostazioni;
class Messaggi;
class StatoCollegamento;

// Reads the port settings into the port: the stored port number ("Properties" /
// "CommPort", default 1), no handshaking, nulls kept, "19200,N,8,1". Does not open.
// The number of an open port is left as it is.
void Leggi_impostazioni(PortaSeriale& porta, const ArchivioImpostazioni& archivio);

// Opens the port. A port open already counts as success. On success commands go
// out on this port (invio_seriale) unless the board is on HID.
std::optional<ErrorePorta> apri_porta(PortaSeriale& porta, StatoCollegamento& stato);
// Opens the port, showing any error but "open already" with an exclamation icon.
void Open_comm(PortaSeriale& porta, StatoCollegamento& stato, Messaggi& messaggi);
// Closes the port; commands no longer go out on it.
void chiudi_porta(PortaSeriale& porta, StatoCollegamento& stato);
