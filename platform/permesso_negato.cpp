#include "platform/permesso_negato.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

bool permesso_negato(const QString& percorso) {
#ifdef Q_OS_UNIX
    // access() reads both the mode and the ACL.
    return ::access(QFile::encodeName(percorso).constData(), R_OK | W_OK) != 0 && errno == EACCES;
#else
    (void)percorso;
    return false;
#endif
}
