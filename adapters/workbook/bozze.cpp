#include "adapters/workbook/bozze.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#endif

namespace bozze {

namespace {
const QString prefisso = QStringLiteral("hopa-bozza-");
}

QString modello() {
    return QDir(QDir::tempPath()).filePath(prefisso + QString::number(QCoreApplication::applicationPid()) +
                                           QStringLiteral("-XXXXXX"));
}

bool processo_vivo(qint64 pid) {
    if (pid <= 0) return false;
#ifdef _WIN32
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!h) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD codice = 0;
    const bool vivo = GetExitCodeProcess(h, &codice) && codice == STILL_ACTIVE;
    CloseHandle(h);
    return vivo;
#else
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#endif
}

int rimuovi_abbandonate(const QString& cartella) {
    static const QRegularExpression forma(QStringLiteral("^hopa-bozza-(\\d+)-[A-Za-z0-9]+$"));
    int rimosse = 0;
    for (const QString& nome : QDir(cartella).entryList({prefisso + QStringLiteral("*")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        const auto m = forma.match(nome);
        if (!m.hasMatch()) continue;
        const qint64 pid = m.captured(1).toLongLong();
        if (pid == QCoreApplication::applicationPid() || processo_vivo(pid)) continue;
        if (QDir(QDir(cartella).filePath(nome)).removeRecursively()) ++rimosse;
    }
    return rimosse;
}

}  // namespace bozze
