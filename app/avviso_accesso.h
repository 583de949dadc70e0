#pragma once

#include <QString>

class LibreriaHid;
class Messaggi;
class QWidget;

// Shows the HID library's reports of a board attached but not openable: the first
// of the run only, never before `principale` is on screen (a report that comes
// during start-up waits for the main window, and start-up goes on meanwhile).
void mostra_avvisi_accesso(LibreriaHid& libreria, Messaggi& messaggi, QWidget& principale, const QString& titolo);
