#pragma once

#include <QPushButton>

// A large push button with an indicator light. A switch (Interruttore) holds a
// boolean value and keeps its light lit while the value is true; ValueChanged fires
// on every change of the value, whether the operator pressed the button or the
// program set it. A momentary button (Semplice) holds no value: its light is lit
// only while it is held down, and each press emits clicked() once.
class PulsanteSpia : public QPushButton {
    Q_OBJECT

public:
    enum class Modo { Interruttore, Semplice };

    explicit PulsanteSpia(Modo modo, QWidget* genitore = nullptr);

    bool Value() const { return isChecked(); }
    void setValue(bool v) { setChecked(v); }

    // Text shown while the value is true (the off text is the button's own text).
    void imposta_testo_acceso(const QString& t);
    QString testo_spento() const { return testo_spento_; }
    void imposta_testo_spento(const QString& t);

    // Whether the indicator light is lit.
    bool spia_accesa() const { return isCheckable() ? isChecked() : isDown(); }

signals:
    void ValueChanged(bool Value);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void aggiorna_testo();
    QString testo_spento_;
    QString testo_acceso_;
};
