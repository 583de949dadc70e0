#pragma once

#include <QListWidget>

// One column of the jump table: a single-selection list that reports the events
// the panel keeps the six columns in step on. Each signal is raised after the list
// has handled the event itself (so the selection already reflects it).
class ListaSalti : public QListWidget {
    Q_OBJECT

public:
    explicit ListaSalti(QWidget* genitore = nullptr);

    // The selected row, -1 when none.
    int riga_selezionata() const;
    // Selects row r; r < 0 clears the selection. Returns false when r is no row.
    bool seleziona_riga(int r);

signals:
    void tasto_rilasciato();
    void tasto_premuto(int tasto);
    void mouse_premuto(Qt::MouseButton pulsante, QPoint globale);
    void mouse_mosso();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
};
