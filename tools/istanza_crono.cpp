#include "tools/istanza_crono.h"

IstanzaCrono::~IstanzaCrono() { QObject::disconnect(chiusura_); }

Frm_crono* IstanzaCrono::finestra() {
    if (!f_) {
        f_ = fabbrica_();
        // A closed window is only deleted later; it must not be handed out again.
        chiusura_ = QObject::connect(f_, &Frm_crono::chiusa, f_, [this] { dimentica(); });
    }
    return f_;
}

void IstanzaCrono::chiudi() {
    if (Frm_crono* f = f_) f->close();
}

void IstanzaCrono::dimentica() {
    QObject::disconnect(chiusura_);
    f_.clear();
}
