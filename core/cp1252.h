#pragma once

#include <QByteArray>
#include <QString>

// The 8-bit Windows-1252 text of the register and test files, on every platform,
// so files move between installations unchanged.
namespace cp1252 {

QString decodifica(const QByteArray& byte);
// Characters with no Windows-1252 code become '?'.
QByteArray codifica(const QString& testo);

}  // namespace cp1252
