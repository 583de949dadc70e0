#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The small seam below the system HID stack: list the devices, open one, read and
// write reports. The library's logic runs on it, so it can be exercised with no
// device attached.

struct InfoDispositivoHid {
    std::string percorso;  // what identifies the device while it stays attached
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
};

// One open device. leggi and scrivi are called from one worker thread.
class CanaleHid {
public:
    virtual ~CanaleHid() = default;
    // Waits at most timeout_ms for an input report: its length, 0 when none came,
    // -1 on error (the device is gone or broken).
    virtual int leggi(uint8_t* dati, size_t massimo, int timeout_ms) = 0;
    // Writes an output report whose byte 0 is the report ID; -1 on error.
    virtual int scrivi(const uint8_t* dati, size_t lunghezza) = 0;
    // Whether its input reports start with a report ID byte (numbered reports).
    virtual bool report_numerati() const = 0;
};

// Thread-safe.
class AccessoHid {
public:
    virtual ~AccessoHid() = default;
    virtual std::vector<InfoDispositivoHid> elenca() = 0;
    // nullptr when the device cannot be opened (gone, or no permission).
    virtual std::unique_ptr<CanaleHid> apri(const std::string& percorso) = 0;
    // After a failed apri: whether the device is there but this user may not open
    // it (the permissions of its system node), as opposed to gone or broken.
    virtual bool accesso_negato(const std::string& percorso) {
        (void)percorso;
        return false;
    }
};

// Hot-plug events of the system's device manager (udev on Linux). They wake the
// enumeration at once when a device comes or goes; without them the library finds
// arrivals by enumerating often.
class SorgenteEventiHid {
public:
    virtual ~SorgenteEventiHid() = default;
    // Whether events will come at all (the device manager is running).
    virtual bool attiva() const = 0;
    // Waits at most timeout_ms for a HID device to come or go: true when one did
    // (several at once count as one). Called from one thread.
    virtual bool attendi(int timeout_ms) = 0;
};

