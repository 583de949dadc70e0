#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// File and folder services of the register, each giving back the description of a
// failure (in Italian) and the path it concerns.
namespace disco_registro {

// Creates the folder (and any missing parent) unless it exists; the error text on failure.
std::optional<QString> crea_cartella(const QString& percorso);

// Replaces the file's contents as a whole: the bytes go to a temporary file
// beside it, which is then renamed over it, so a failure leaves the old file
// intact and never a half-written one. The error text on failure.
std::optional<QString> scrivi_file(const QString& percorso, const QByteArray& contenuto);

struct Letto {
    QByteArray contenuto;
    QString errore;  // empty when the file was read
};
Letto leggi_file(const QString& percorso);

}  // namespace disco_registro
