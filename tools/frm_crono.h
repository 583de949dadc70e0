#pragma once

#include "platform/beep.h"
#include "platform/dialoghi.h"
#include "platform/orologio.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <cstdint>
#include <memory>

class QCloseEvent;

// "Funzioni Tempo": a stopwatch in minutes, seconds and tenths with an optional
// beep every N seconds of the running minute. Its state lives only as long as the
// window: closing it stops the timer and destroys it (Qt::WA_DeleteOnClose), so
// the next use builds a new one with the load values.
class Frm_crono : public QWidget {
    Q_OBJECT

public:
    // `contatore`, `beep` and `casella` must outlive the window. Without a timer the
    // window makes its own on QTimer.
    Frm_crono(const ContatoreTick& contatore, Beep& beep, CasellaInput& casella,
              std::unique_ptr<Temporizzatore> timer = nullptr, QWidget* genitore = nullptr);

    QGroupBox* Fre_crono;
    QLineEdit* Txt_minuti;
    QLineEdit* Txt_secondi;
    QLineEdit* Txt_decimi;
    QPushButton* Command1;
    QPushButton* Command2;
    QCheckBox* Chk_avviso_acustico;
    QGroupBox* Fre_conto_rovescia;
    QLineEdit* txt_valore_cv;
    QPushButton* cmd_conto_rovescia;
    std::unique_ptr<Temporizzatore> Timer_1;

signals:
    // Emitted as the window closes, before it is destroyed.
    void chiusa();

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void Command1_Click();
    void Command2_Click();
    void cmd_conto_rovescia_Click();
    void Timer_1_Timer();
    void mostra_intervallo();

    const ContatoreTick& contatore_;
    Beep& beep_;
    CasellaInput& casella_;

    int32_t tick_inizio_ = 0;
    float intervallo_ = 5;
    float secondi_trascorsi_ = 0;
    bool avviso_armato_ = false;
};
