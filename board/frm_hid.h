#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// The small HID window: the target of the HID library's notifications, with two
// test buttons (Command1 sends "$F", Command2 "$T"); Command3 and Text1 do nothing.
// Its behaviour is wired by TrasportoHid. Closing it by hand only hides it: the
// window stays loaded (and the board connected) for the life of the program.
class Frm_hid : public QWidget {
public:
    explicit Frm_hid(QWidget* genitore = nullptr);

    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QLineEdit* Text1;

    // Lets the owner close it for real (unload).
    void chiudi_davvero();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    bool chiusura_ammessa_ = false;
};
