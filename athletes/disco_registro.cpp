#include "athletes/disco_registro.h"

#include "platform/errori_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace disco_registro {

std::optional<QString> crea_cartella(const QString& percorso) {
    if (QFileInfo(percorso).isDir()) return std::nullopt;
    std::error_code ec;
    std::filesystem::create_directories(QDir(percorso).filesystemPath(), ec);
    if (!ec && QFileInfo(percorso).isDir()) return std::nullopt;
    const QString descrizione = ec ? errori_file::descrizione(ec) : errori_file::descrizione(ENOTDIR);
    return QStringLiteral("%1 (%2)").arg(descrizione, QDir::toNativeSeparators(percorso));
}

std::optional<QString> scrivi_file(const QString& percorso, const QByteArray& contenuto) {
    QSaveFile f(percorso);
    auto errore = [&]() {
        const QString descrizione = errori_file::descrizione(f);
        f.cancelWriting();
        return std::optional<QString>(QStringLiteral("%1 (%2)").arg(descrizione, QDir::toNativeSeparators(percorso)));
    };
    if (!f.open(QIODevice::WriteOnly)) return errore();
    if (f.write(contenuto) != contenuto.size()) return errore();
    if (!f.commit()) return errore();
    return std::nullopt;
}

Letto leggi_file(const QString& percorso) {
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        return {{}, QStringLiteral("%1 (%2)").arg(errori_file::descrizione(f), QDir::toNativeSeparators(percorso))};
    }
    return {f.readAll(), {}};
}

}  // namespace disco_registro
