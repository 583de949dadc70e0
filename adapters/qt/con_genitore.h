#pragma once

class QWidget;

// The window a Qt dialog adapter opens its dialogs over; null until the main
// window exists (the dialogs then open on their own).
class ConGenitore {
public:
    explicit ConGenitore(QWidget* genitore) : genitore_(genitore) {}
    virtual ~ConGenitore() = default;
    void imposta_genitore(QWidget* g) { genitore_ = g; }

protected:
    QWidget* genitore_;
};
