#pragma once

#include <QByteArray>

// The HID side of command sending: invia_comando hands every command here while
// the HID board is open.
class InvioHid {
public:
    virtual ~InvioHid() = default;
    virtual void HID_invia_stringa(const QByteArray& stringa) = 0;
};
