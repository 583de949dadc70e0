#include "sim/pseudo_terminale.h"

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <cstdlib>

namespace {
bool crudo(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return false;
    cfmakeraw(&t);
    return tcsetattr(fd, TCSANOW, &t) == 0;
}
void metti_errore(QString* e, const char* dove) {
    if (e) *e = QStringLiteral("%1: %2").arg(QString::fromLatin1(dove), QString::fromLocal8Bit(std::strerror(errno)));
}
}  // namespace

std::unique_ptr<PseudoTerminale> PseudoTerminale::crea(QString* errore) {
    std::unique_ptr<PseudoTerminale> p(new PseudoTerminale);
    p->fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (p->fd_ < 0 || grantpt(p->fd_) != 0 || unlockpt(p->fd_) != 0) {
        metti_errore(errore, "posix_openpt");
        return nullptr;
    }
    const char* nome = ptsname(p->fd_);
    if (!nome) {
        metti_errore(errore, "ptsname");
        return nullptr;
    }
    p->percorso_ = QString::fromLocal8Bit(nome);
    // Raw before anyone writes: a cooked line would echo the board's bytes back.
    p->lontano_ = ::open(nome, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (p->lontano_ < 0 || !crudo(p->lontano_)) {
        metti_errore(errore, "open");
        return nullptr;
    }
    return p;
}

std::unique_ptr<PseudoTerminale> PseudoTerminale::apri(const QString& percorso, QString* errore) {
    std::unique_ptr<PseudoTerminale> p(new PseudoTerminale);
    p->fd_ = ::open(percorso.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (p->fd_ < 0) {
        metti_errore(errore, "open");
        return nullptr;
    }
    crudo(p->fd_);
    p->percorso_ = percorso;
    return p;
}

PseudoTerminale::~PseudoTerminale() { chiudi(); }

void PseudoTerminale::chiudi() {
    if (lontano_ >= 0) ::close(lontano_);
    if (fd_ >= 0) ::close(fd_);
    lontano_ = fd_ = -1;
}

long PseudoTerminale::scrivi(const char* dati, long n) {
    if (fd_ < 0) return -1;
    const ssize_t r = ::write(fd_, dati, static_cast<size_t>(n));
    if (r < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
    return r;
}

long PseudoTerminale::leggi(char* dati, long n) {
    if (fd_ < 0) return -1;
    const ssize_t r = ::read(fd_, dati, static_cast<size_t>(n));
    if (r < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? 0 : -1;
    if (r == 0) return -1;
    return r;
}

#else

std::unique_ptr<PseudoTerminale> PseudoTerminale::crea(QString* errore) {
    if (errore) *errore = QStringLiteral("pseudo-terminali non disponibili su questo sistema");
    return nullptr;
}
std::unique_ptr<PseudoTerminale> PseudoTerminale::apri(const QString&, QString* errore) { return crea(errore); }
PseudoTerminale::~PseudoTerminale() = default;
void PseudoTerminale::chiudi() {}
long PseudoTerminale::scrivi(const char*, long) { return -1; }
long PseudoTerminale::leggi(char*, long) { return -1; }

#endif
