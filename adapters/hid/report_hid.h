#pragma once

#include "platform/accesso_hid.h"

#include <QByteArray>

#include <cstdint>
#include <string>
#include <vector>

// The input report as the library hands it to Read: byte 0 is always the report ID.
// The system stack leaves the ID out for devices without numbered reports; a 0 is
// put in its place so the fields keep their offsets.
QByteArray impagina_report(const uint8_t* dati, int lunghezza, bool report_numerati);

// Whether a HID report descriptor declares report IDs (any Report ID item).
bool descrittore_con_id_report(const QByteArray& descrittore);

// What changed between the devices known so far (by percorso) and a fresh listing.
// The listing may name one device several times (one entry per usage): the first
// entry counts. A device is arrived when its percorso is new, departed when it is
// missing from the listing.
struct DiffDispositiviHid {
    std::vector<InfoDispositivoHid> arrivati;
    std::vector<std::string> partiti;
    bool vuoto() const { return arrivati.empty() && partiti.empty(); }
};
DiffDispositiviHid confronta_dispositivi(const std::vector<std::string>& noti,
                                         const std::vector<InfoDispositivoHid>& attuali);
