#include "files/file_durevole.h"

#include "platform/cartelle.h"
#include "platform/errori_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace file_durevole {

namespace {

#ifdef _WIN32
int apri_fd(const QString& p, int modi) {
    return _wopen(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(p).utf16()), modi | _O_BINARY, 0644);
}
int scrivi_fd(int fd, const char* d, unsigned n) { return _write(fd, d, n); }
int sincronizza_fd(int fd) { return _commit(fd); }
int chiudi_fd(int fd) { return _close(fd); }
bool rinomina(const QString& da, const QString& a) {
    return MoveFileExW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(da).utf16()),
                       reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(a).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
void sincronizza_cartella(const QString&) {}  // the rename above is written through
constexpr int nuovo = _O_WRONLY | _O_CREAT | _O_EXCL;
constexpr int in_coda = _O_WRONLY | _O_APPEND;
#else
int apri_fd(const QString& p, int modi) { return ::open(QFile::encodeName(p).constData(), modi | O_CLOEXEC, 0644); }
ssize_t scrivi_fd(int fd, const char* d, size_t n) { return ::write(fd, d, n); }
int sincronizza_fd(int fd) {
#ifdef __APPLE__
    return ::fsync(fd);
#else
    return ::fdatasync(fd);
#endif
}
int chiudi_fd(int fd) { return ::close(fd); }
bool rinomina(const QString& da, const QString& a) {
    return ::rename(QFile::encodeName(da).constData(), QFile::encodeName(a).constData()) == 0;
}
// The new name is durable only once its folder is.
void sincronizza_cartella(const QString& cartella) {
    const int fd = ::open(QFile::encodeName(cartella).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}
constexpr int nuovo = O_WRONLY | O_CREAT | O_EXCL;
constexpr int in_coda = O_WRONLY | O_APPEND;
#endif

bool scrivi_tutto(int fd, const char* d, size_t n) {
    while (n > 0) {
        const auto fatto = scrivi_fd(fd, d, static_cast<unsigned>(std::min<size_t>(n, 1u << 30)));
        if (fatto < 0 && errno == EINTR) continue;
        if (fatto <= 0) {
            if (fatto == 0) errno = ENOSPC;
            return false;
        }
        d += fatto;
        n -= static_cast<size_t>(fatto);
    }
    return true;
}

bool fallito(QString* motivo) {
    if (motivo) *motivo = errori_file::descrizione(errno);
    return false;
}

}  // namespace

bool crea_cartella(const QString& cartella, QString* motivo) {
    const auto errore = cartelle::crea(cartella);
    if (errore && motivo) *motivo = *errore;
    return !errore;
}

bool scrivi_atomico(const QString& percorso, const QByteArray& contenuto, QString* motivo) {
    const QString bozza =
        percorso + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    const int fd = apri_fd(bozza, nuovo);
    if (fd < 0) return fallito(motivo);
    const bool scritto = scrivi_tutto(fd, contenuto.constData(), static_cast<size_t>(contenuto.size())) &&
                         sincronizza_fd(fd) == 0;
    const int errore = errno;
    chiudi_fd(fd);
    if (!scritto || !rinomina(bozza, percorso)) {
        const int e = scritto ? errno : errore;
        QFile::remove(bozza);
        errno = e;
        return fallito(motivo);
    }
    sincronizza_cartella(QFileInfo(percorso).absolutePath());
    return true;
}

bool rimuovi(const QString& percorso, QString* motivo) {
    if (!QFileInfo::exists(percorso)) return true;
    // std::filesystem, unlike QFile::remove, says why it failed.
    std::error_code ec;
    if (std::filesystem::remove(QDir(percorso).filesystemPath(), ec) || !ec) {
        sincronizza_cartella(QFileInfo(percorso).absolutePath());
        return true;
    }
    if (motivo) *motivo = errori_file::descrizione(ec);
    return false;
}

bool Aggiunta::apri(const QString& percorso, QString* motivo) {
    chiudi();
    fd_ = apri_fd(percorso, in_coda);
    return fd_ >= 0 || fallito(motivo);
}

bool Aggiunta::scrivi(const char* dati, size_t n) { return fd_ >= 0 && scrivi_tutto(fd_, dati, n); }

bool Aggiunta::sincronizza() { return fd_ >= 0 && sincronizza_fd(fd_) == 0; }

void Aggiunta::chiudi() {
    if (fd_ >= 0) chiudi_fd(fd_);
    fd_ = -1;
}

}  // namespace file_durevole
