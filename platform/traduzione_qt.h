#pragma once

class QCoreApplication;

// Qt's own texts (standard buttons, file dialogs, input box, message box buttons)
// in Italian, the interface's language, whatever the system's locale: installs Qt's
// Italian translation in the application. Call it before any window is made; a
// second call changes nothing. False when the translation is not installed.
bool carica_traduzione_qt(QCoreApplication& applicazione);
