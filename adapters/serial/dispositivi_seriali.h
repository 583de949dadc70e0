#pragma once

#include <QString>
#include <QStringList>

// Which device stands for the port number the user sees ("Com1" ... "Com16").
namespace dispositivi_seriali {

// Device names in the order the port numbers follow: USB adapters first (ttyUSB*,
// then ttyACM*), then ttyS*, each family by its number. Other names are left out.
QStringList ordina(const QStringList& nomi);

// The device for port number n: `forzato` when not empty (it stands for every
// number); on Windows "COMn"; elsewhere the n-th entry of ordina() over /dev.
// Empty text when no device stands for n.
QString per_numero(int n, const QString& forzato);
// The same over an explicit list of device names (as ordina() takes them).
QString per_numero(int n, const QString& forzato, const QStringList& nomi, const QString& cartella);

}  // namespace dispositivi_seriali
