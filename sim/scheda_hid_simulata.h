#pragma once

#include "platform/libreria_hid.h"
#include "sim/modello_atleta.h"
#include "platform/registro_hid.h"

#include <QTimer>

#include <optional>
#include <vector>

// A control board on USB HID, simulated behind the same library interface, for the
// tests and for running the program without a mat. It is plugged and unplugged on
// demand; once plugged, "$S" (output report bytes 1 and 2) starts it: it sends one
// timing report per record of its source, each after the record's pause (by
// default the real time of the contact and the flight), until "$T" or the end of a
// script. Like the real board, the first report after a start times whatever came
// before the start. Other devices, with any IDs, can be plugged beside it and can
// send reports too. Runs on the UI thread (its timer); notifications are posted as
// the real library's are.
class SchedaHidSimulata : public LibreriaHid {
public:
    static constexpr uint16_t vendor_scheda = 0x0461;
    static constexpr uint16_t product_scheda = 0x0020;

    // The board with these IDs (other IDs make it a device the program must ignore).
    explicit SchedaHidSimulata(SorgenteSalti sorgente = SorgenteSalti(1), uint16_t vendor_id = vendor_scheda,
                               uint16_t product_id = product_scheda);
    ~SchedaHidSimulata() override;

    // Plug / unplug the board. A device plugged while the library is not connected
    // is announced at Connect; unplugging stops the measurement.
    void inserisci();
    void rimuovi();
    bool inserita() const { return inserita_; }
    // The board's handle while plugged and connected, 0 otherwise.
    ManigliaHid maniglia() const { return scheda_; }

    // Another device beside the board: returns its number for the calls below.
    int inserisci_dispositivo(uint16_t vendor_id, uint16_t product_id);
    void rimuovi_dispositivo(int numero);
    ManigliaHid maniglia_dispositivo(int numero) const;

    // Sends an input report now, from the board or from another device; kept only
    // while that device's read notification is on. Returns whether it was kept.
    bool invia_report(const QByteArray& report);
    bool invia_report_da(int numero, const QByteArray& report);
    // A timing report of the board: ID 0, bytes 2-5 contact and 6-9 flight in µs (LE).
    static QByteArray report_tempi(uint32_t contatto_us, uint32_t volo_us);

    void imposta_sorgente(SorgenteSalti sorgente);
    bool in_misura() const { return in_misura_; }
    // Every output report the board received, oldest first.
    const std::vector<BufferUscitaHid>& ricevuti() const { return ricevuti_; }
    int report_inviati() const { return inviati_; }  // timing reports sent while connected

    bool Connect(QObject* ricevitore) override;
    bool Disconnect() override;
    int GetVendorID(ManigliaHid maniglia) override;
    int GetProductID(ManigliaHid maniglia) override;
    ManigliaHid GetHandle(int vendor_id, int product_id) override;
    void SetReadNotify(ManigliaHid maniglia, bool attiva) override;
    bool Read(ManigliaHid maniglia, QByteArray& BufferIn) override;
    void WriteEx(int vendor_id, int product_id, const BufferUscitaHid& BufferOut) override;

private:
    struct Dispositivo {
        uint16_t vendor_id = 0, product_id = 0;
        bool inserito = false;
        ManigliaHid maniglia = 0;  // 0 while not connected
    };
    void avvia();
    void ferma();
    void programma_prossimo();
    void invia_in_attesa();

    SorgenteSalti sorgente_;
    const uint16_t vendor_id_, product_id_;
    RegistroHid registro_;
    bool connessa_ = false;
    bool inserita_ = false;
    ManigliaHid scheda_ = 0;
    std::vector<Dispositivo> altri_;
    QTimer timer_;
    std::optional<TempiSalto> in_attesa_;
    bool in_misura_ = false;
    std::vector<BufferUscitaHid> ricevuti_;
    int inviati_ = 0;
};
