#include "board/frm_hid.h"

#include "platform/twips.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {
template <typename T>
T* controllo(QWidget* padre, const char* nome, const QString& testo, double x, double y, double l, double a) {
    auto* c = new T(testo, padre);
    c->setObjectName(QString::fromLatin1(nome));
    c->setGeometry(twips::rettangolo_pixel(x, y, l, a));
    return c;
}
}  // namespace

Frm_hid::Frm_hid(QWidget* genitore) : QWidget(genitore) {
    setObjectName(QStringLiteral("frm_hid"));
    setWindowTitle(QStringLiteral("Testing..HID"));
    resize(twips::a_pixel(4800), twips::a_pixel(2400));
    Command1 = controllo<QPushButton>(this, "Command1", QStringLiteral("Command1"), 240, 240, 1335, 495);
    Command2 = controllo<QPushButton>(this, "Command2", QStringLiteral("Command2"), 1680, 240, 1335, 495);
    Command3 = controllo<QPushButton>(this, "Command3", QStringLiteral("Command3"), 3120, 240, 1335, 495);
    Text1 = controllo<QLineEdit>(this, "Text1", QStringLiteral("Text1"), 240, 960, 4215, 495);
}

void Frm_hid::chiudi_davvero() {
    chiusura_ammessa_ = true;
    close();
    chiusura_ammessa_ = false;
}

void Frm_hid::closeEvent(QCloseEvent* e) {
    if (chiusura_ammessa_) {
        e->accept();
        return;
    }
    e->ignore();
    hide();
}
