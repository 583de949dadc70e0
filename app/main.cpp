#include "app/applicazione.h"
#include "platform/traduzione_qt.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hopa"));
    QApplication::setOrganizationName(QStringLiteral("Hopa"));
    // The interface is Italian whatever the system's language: Qt's own texts too.
    carica_traduzione_qt(app);
    // Closing the main window ends the program even while tool windows are open.
    QApplication::setQuitOnLastWindowClosed(false);

    OpzioniAvvio opzioni;
    opzioni.demo = QCoreApplication::arguments().contains(QStringLiteral("--demo"));
    opzioni.alla_chiusura = [&app] { QMetaObject::invokeMethod(&app, &QApplication::quit, Qt::QueuedConnection); };
    Applicazione programma(std::move(opzioni));
    programma.avvia();
    return app.exec();
}
