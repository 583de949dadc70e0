#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

// One file of a zip archive.
struct VoceZip {
    std::string_view nome;  // UTF-8, '/' between folders
    std::string_view dati;
};

// A zip archive of `voci`, in that order, built in memory: each compressed with
// libdeflate's fastest level (or stored, when that is not smaller), dated `data`.
// Nothing, with the reason in `errore`, past what a zip without its 64-bit
// extensions holds (4 GB, 65535 files).
std::optional<QByteArray> archivio_zip(const std::vector<VoceZip>& voci, const QDateTime& data, QString* errore);
