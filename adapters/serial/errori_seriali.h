#pragma once

#include <QSerialPort>
#include <QString>

// What the coach reads when the serial port fails, in Italian, naming the device
// and saying what to do.
namespace errori_seriali {

// How a permission error came about.
struct Permesso {
    bool negato = false;  // this user may not open the device (otherwise another program holds it)
    QString gruppo;       // the group that owns the device, "" when unknown
};

QString descrizione(QSerialPort::SerialPortError errore, const QString& dispositivo, const Permesso& permesso = {});

// The same, asking the system whether this user may open `dispositivo` and which
// group owns it.
QString descrizione_di_sistema(QSerialPort::SerialPortError errore, const QString& dispositivo);

}  // namespace errori_seriali
