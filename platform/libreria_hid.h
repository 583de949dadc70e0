#pragma once

#include <QByteArray>
#include <QEvent>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QObject;

// Handle of one attached HID device as the library hands it out; 0 is no device.
// A handle is never reused by the same library: a board plugged in again gets a new one.
using ManigliaHid = int64_t;

// The notification the library posts to its receiver (WM_APP + 200 on the original
// platform); wParam says what happened, lParam carries the device handle.
constexpr int HID_NOTIFY_MESSAGE = 0x80C8;
enum CodiceNotificaHid : int {
    NOTIFICA_HID_INSERITO = 1,  // a device was plugged in (lParam: its handle)
    NOTIFICA_HID_RIMOSSO = 2,   // a device was unplugged (lParam: its handle)
    NOTIFICA_HID_CAMBIATO = 3,  // the device list changed (lParam: 0)
    NOTIFICA_HID_LETTO = 4,     // an input report is ready for Read (lParam: its handle)
};

// The posted message. It is always delivered on the receiver's (UI) thread, one
// event per notification, in the order the library posted them.
class EventoNotificaHid : public QEvent {
public:
    static constexpr QEvent::Type tipo = static_cast<QEvent::Type>(HID_NOTIFY_MESSAGE);
    EventoNotificaHid(int w, ManigliaHid l) : QEvent(tipo), wParam(w), lParam(l) {}
    const int wParam;
    const ManigliaHid lParam;
};

// Output report: byte 0 is the report ID (0), bytes 1..8 a command's characters.
using BufferUscitaHid = std::array<uint8_t, 9>;

// The HID board library the transport relies on. Every call is made on the UI
// thread; notifications reach the receiver as posted EventoNotificaHid events.
class LibreriaHid {
public:
    virtual ~LibreriaHid() = default;

    // Starts watching: every device already attached is announced with a plugged
    // notification, then one changed notification. Returns true on success.
    virtual bool Connect(QObject* ricevitore) = 0;
    // Stops watching and reading; no notification is posted after it returns.
    virtual bool Disconnect() = 0;

    // IDs of a device, also of one just unplugged (for its unplugged notification);
    // 0 for a handle the library never gave out.
    virtual int GetVendorID(ManigliaHid maniglia) = 0;
    virtual int GetProductID(ManigliaHid maniglia) = 0;
    // The first attached device with these IDs, or 0.
    virtual ManigliaHid GetHandle(int vendor_id, int product_id) = 0;
    // From now on (or no longer) each input report of this device is kept for Read
    // and announced with a read notification. Reports that arrive while it is off
    // are dropped.
    virtual void SetReadNotify(ManigliaHid maniglia, bool attiva) = 0;
    // Copies the oldest waiting report of this device into BufferIn (byte 0 the
    // report ID, 0 for devices without numbered reports). False when none waits.
    virtual bool Read(ManigliaHid maniglia, QByteArray& BufferIn) = 0;
    // Sends the output report to the first attached device with these IDs; a device
    // that is not there, or a failed write, is silently ignored. Never blocks.
    virtual void WriteEx(int vendor_id, int product_id, const BufferUscitaHid& BufferOut) = 0;

    // Set by the application before Connect. Called on the UI thread when a device
    // the program asked for (SetReadNotify, WriteEx) is attached but this user may
    // not open it; `avviso` names the device and says what to do, in Italian. At
    // most once per arrival of the device; never after Disconnect.
    std::function<void(const QString& avviso)> al_accesso_negato;
};

