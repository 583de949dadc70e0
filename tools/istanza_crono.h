#pragma once

#include "tools/frm_crono.h"

#include <QMetaObject>
#include <QPointer>

#include <functional>

// The one stopwatch window: built on first use, and again on the next use after
// it was closed (a closed stopwatch is gone, with its state).
class IstanzaCrono {
public:
    using Fabbrica = std::function<Frm_crono*()>;

    explicit IstanzaCrono(Fabbrica fabbrica) : fabbrica_(std::move(fabbrica)) {}
    ~IstanzaCrono();
    IstanzaCrono(const IstanzaCrono&) = delete;
    IstanzaCrono& operator=(const IstanzaCrono&) = delete;

    // The open window, or a new one with its load values.
    Frm_crono* finestra();
    // The open window, or null when there is none.
    Frm_crono* aperta() const { return f_.data(); }
    // Closes the open window, if any (the main window does so as it closes).
    void chiudi();

private:
    void dimentica();

    Fabbrica fabbrica_;
    QPointer<Frm_crono> f_;
    QMetaObject::Connection chiusura_;
};
