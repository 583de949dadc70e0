#include "adapters/system/avvio_programmi_sistema.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

bool AvvioProgrammiSistema::avvia_calcolatrice() {
#ifdef Q_OS_WIN
    QProcess p;
    p.setProgram(QStringLiteral("c:\\windows\\calc.exe"));
    p.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* a) {
        a->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        a->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
    });
    return p.startDetached();
#else
    for (const char* nome : {"gnome-calculator", "kcalc", "galculator", "mate-calc", "xcalc"}) {
        const QString percorso = QStandardPaths::findExecutable(QString::fromLatin1(nome));
        if (!percorso.isEmpty()) return QProcess::startDetached(percorso, {});
    }
    return false;
#endif
}

bool AvvioProgrammiSistema::apri_documento(const QString& percorso) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(percorso));
}
