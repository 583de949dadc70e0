#include "platform/file_regolare.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace file_regolare {

namespace {

// What the path names, when it is not a regular file; nothing when it is one or
// names nothing.
std::optional<QString> tipo(const QString& percorso) {
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(percorso).constData(), &st) != 0 || S_ISREG(st.st_mode)) return std::nullopt;
    if (S_ISDIR(st.st_mode)) return QStringLiteral("una cartella");
    if (S_ISFIFO(st.st_mode)) return QStringLiteral("una pipe con nome (FIFO)");
    if (S_ISSOCK(st.st_mode)) return QStringLiteral("un socket");
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return QStringLiteral("un dispositivo");
    return QStringLiteral("un oggetto speciale del sistema");
#else
    const QFileInfo info(percorso);
    if (!info.exists() || info.isFile()) return std::nullopt;
    if (info.isDir()) return QStringLiteral("una cartella");
    return QStringLiteral("un oggetto speciale del sistema (dispositivo o pipe)");
#endif
}

}  // namespace

std::optional<QString> rifiuto(const QString& percorso) {
    const auto t = tipo(percorso);
    if (!t) return std::nullopt;
    return QStringLiteral("%1 non è un file ma %2: non può essere aperto come prova. "
                          "Scegliere un file di prova salvato su disco.")
        .arg(QDir::toNativeSeparators(percorso), *t);
}

}  // namespace file_regolare
