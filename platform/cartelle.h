#pragma once

#include <QString>

#include <optional>

// Folders on the disk.
namespace cartelle {

// Makes `percorso` and any missing folder above it. Nothing when the folder is
// there afterwards (or already was); otherwise why not, in errori_file's words.
std::optional<QString> crea(const QString& percorso);

}  // namespace cartelle
