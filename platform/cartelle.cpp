#include "platform/cartelle.h"

#include "platform/errori_file.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace cartelle {

// std::filesystem, unlike QDir::mkpath, says why it failed.
std::optional<QString> crea(const QString& percorso) {
    if (QFileInfo(percorso).isDir()) return std::nullopt;
    std::error_code ec;
    std::filesystem::create_directories(QDir(percorso).filesystemPath(), ec);
    if (!ec && QFileInfo(percorso).isDir()) return std::nullopt;
    return ec ? errori_file::descrizione(ec) : errori_file::descrizione(ENOTDIR);
}

}  // namespace cartelle
