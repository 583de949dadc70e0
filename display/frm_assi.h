#pragma once

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class CasellaInput;
class Grafico;

// "Set Assi": the limits of the graph's two value axes. Each limit is asked for
// with an input box, written into the graph at once and echoed with its unit.
// The dialog keeps nothing of its own: every time it is shown it reads the
// limits back from the graph.
class Frm_assi : public QDialog {
    Q_OBJECT

public:
    Frm_assi(Grafico& grafico, CasellaInput& casella, QWidget* genitore = nullptr);

    QGroupBox* fra_altezza = nullptr;
    QLineEdit* Txt_min_altezza = nullptr;
    QLineEdit* Txt_max_altezza = nullptr;
    QPushButton* Cmd_min_altezza = nullptr;
    QPushButton* cmd_max_altezza = nullptr;
    QGroupBox* Fra_tc = nullptr;
    QLineEdit* Txt_min_tc = nullptr;
    QLineEdit* Txt_max_tc = nullptr;
    QPushButton* Cmd_min_tc = nullptr;
    QPushButton* Cmd_max_tc = nullptr;
    QPushButton* Cmd_chiudi = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    enum class Limite { Minimo, Massimo };
    void leggi_limiti();
    void chiedi_limite(int plot, Limite quale, const QString& prompt, const QString& unita, QLineEdit* casella);

    Grafico& grafico_;
    CasellaInput& casella_;
};
