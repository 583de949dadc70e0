#pragma once

#include "board/invio_hid.h"
#include "core/assemblatore_salti.h"
#include "platform/libreria_hid.h"

#include <QByteArray>
#include <QObject>


class Frm_hid;
class ModelloProva;
class StatoCollegamento;
struct SessioneAtleta;
class QWidget;

// The board link over USB HID: connects the HID library to the HID window
// (frm_hid, made by the application and handed in), keeps hid_connesso and the
// caption's connection text, turns each input report into contact and flight
// times for the test, and sends the commands as output reports. With no window
// the handlers still run when called (the logic alone, as the fuzz target drives it).
class TrasportoHid : public QObject, public InvioHid {
public:
    static constexpr int vendor_scheda = 0x0461;
    static constexpr int product_scheda = 0x0020;

    TrasportoHid(StatoCollegamento& stato, const SessioneAtleta& sessione, ModelloProva& prova,
                 LibreriaHid& libreria, Frm_hid* finestra = nullptr);
    ~TrasportoHid() override;  // unloads the window if still loaded

    // Shows the HID window, loading it first on first use (the load connects the
    // library, which then announces an attached board with a posted notification).
    void mostra();
    void nascondi();
    // Unloads the window: disconnects the library and closes the window.
    void scarica();
    bool caricata() const { return caricata_; }
    Frm_hid* finestra() { return finestra_; }

    // Connects the library with this window as receiver and hooks its messages.
    bool ConnectToHID(QWidget* finestra);
    // Disconnects the library and unhooks the window.
    bool DisconnectFromHID();

    void OnPlugged(ManigliaHid maniglia);
    void OnUnplugged(ManigliaHid maniglia);
    void OnChanged();
    void OnRead(ManigliaHid maniglia);

    // Sends a command: its characters (at most 8) go to bytes 1.. of BufferOut.
    void HID_invia_stringa(const QByteArray& stringa) override;
    void WriteSomeData();

    const BufferUscitaHid& BufferOut() const { return buffer_out_; }
    const QByteArray& BufferIn() const { return buffer_in_; }
    int64_t contatto_pendente() const { return assemblatore_.contatto_pendente(); }

protected:
    // The hook: HID notifications to the window are dispatched to the On* handlers;
    // every event is then passed on to the window unchanged.
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void invia_test(char lettera);  // Command1 / Command2

    StatoCollegamento& stato_;
    LibreriaHid& libreria_;
    AssemblatoreSalti assemblatore_;
    Frm_hid* finestra_;
    QWidget* agganciata_ = nullptr;
    bool caricata_ = false;
    BufferUscitaHid buffer_out_{};
    QByteArray buffer_in_;
};
