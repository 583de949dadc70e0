#include "display/pulsante_spia.h"

#include <QPainter>

PulsanteSpia::PulsanteSpia(Modo modo, QWidget* genitore) : QPushButton(genitore) {
    setCheckable(modo == Modo::Interruttore);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QPushButton::toggled, this, [this](bool v) {
        aggiorna_testo();
        emit ValueChanged(v);
    });
}

void PulsanteSpia::imposta_testo_spento(const QString& t) {
    testo_spento_ = t;
    aggiorna_testo();
}

void PulsanteSpia::imposta_testo_acceso(const QString& t) {
    testo_acceso_ = t;
    aggiorna_testo();
}

void PulsanteSpia::aggiorna_testo() {
    setText(isChecked() && !testo_acceso_.isEmpty() ? testo_acceso_ : testo_spento_);
}

void PulsanteSpia::paintEvent(QPaintEvent* e) {
    QPushButton::paintEvent(e);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int d = qMax(6, qMin(width(), height()) / 6);
    const QRect spia(width() / 2 - d, 4, 2 * d, d / 2 + 2);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(spia_accesa() ? QColor(40, 220, 60) : QColor(40, 70, 40));
    p.drawRoundedRect(spia, 2, 2);
}
