#pragma once

#include <QPushButton>

// A large two-state push button with an indicator light. Its value is a boolean;
// ValueChanged fires on every change of the value, whether the operator pressed
// the button or the program set it. A button used for plain clicks keeps its
// value false and only emits clicked().
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

signals:
    void ValueChanged(bool Value);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void aggiorna_testo();
    QString testo_spento_;
    QString testo_acceso_;
};
