#pragma once

#include "core/titoli.h"

#include <QObject>
#include <QString>

// The state of the board link: the six flags that decide what an incoming frame
// or report does and where commands go, and the caption texts. The main caption
// is always the version text followed by the connection text; every change of the
// connection text is announced, and the main window sets its caption from it.
class StatoCollegamento : public QObject {
    Q_OBJECT

public:
    bool connesso = false;       // the board answered the detection on the serial port
    bool hid_connesso = false;   // the board is plugged in and open over HID
    bool acquisizione = false;   // frames received become jumps
    bool scarta_primo = false;   // the next frame or report after a start is thrown away
    bool avvio_hid = false;      // HID timing reports become jumps (set by every start, never cleared)
    bool invio_seriale = false;  // commands are also written to the serial port

    const QString testo_versione = crea_testo_versione();
    const QString& testo_connessione() const { return testo_connessione_; }
    QString didascalia() const { return testo_versione + testo_connessione_; }

    // Sets the connection text and announces the caption.
    void imposta_testo_connessione(const QString& testo);
    // Announces the caption again, as it stands (whoever must set it anew).
    void aggiorna_didascalia();

signals:
    void didascalia_cambiata(const QString& didascalia);

private:
    QString testo_connessione_ = QStringLiteral(" non connesso");
};
