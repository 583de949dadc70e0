#pragma once

#include <QWidget>

#include <array>
#include <functional>

class ArchivioImpostazioni;
class Beep;
class Messaggi;
class PortaSeriale;
class ProtocolloScheda;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class StatoCollegamento;

// The serial window: shows the port's settings, applies a port choice, searches
// ports 1 to 10 for the board. The port itself lives on when the window is closed.
class frm_seriale : public QWidget {
    Q_OBJECT

public:
    struct Servizi {
        StatoCollegamento& stato;
        PortaSeriale& porta;
        ProtocolloScheda& protocollo;
        ArchivioImpostazioni& archivio;
        Messaggi& messaggi;
        Beep& beep;
        std::function<QString(int)> descrivi_porta;  // which device a port number stands for
    };

    explicit frm_seriale(Servizi servizi, QWidget* genitore = nullptr);

    void LoadPropertySettings();
    void cmdOK_Click();
    void cmdCancel_Click();
    void Cmd_Auto_Click();

    bool eco() const { return eco_; }
    bool ricerca_in_corso() const { return ricerca_; }

    // Called when the window has been closed through its cancel button or frame.
    std::function<void()> alla_chiusura;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void costruisci();
    void riempi_liste();
    void mostra_dispositivo();

    Servizi s_;
    QComboBox *cboPort_, *cboSpeed_, *cboDataBits_, *cboParity_, *cboStopBits_;
    QLabel* Lbl_info_;
    QPushButton *Cmd_Auto_, *cmdOK_, *cmdCancel_;
    std::array<QRadioButton*, 2> optEcho_{};
    std::array<QRadioButton*, 3> optFlow_{};
    bool eco_ = false;
    bool ricerca_ = false;
    bool liste_piene_ = false;
};
