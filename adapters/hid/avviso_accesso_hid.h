#pragma once

#include <QString>

// What the coach reads when the board is plugged in but its node cannot be opened
// by this user: which device, and the remedy (the package's udev rule, then
// plugging the board in again).
QString avviso_accesso_hid(const QString& nodo);
