#pragma once

#include <QAbstractItemView>

// One column of the jump table: a single-selection list showing one column of
// the rows' model, every row as tall as the first. Rows are placed by arithmetic
// (row r starts r row heights down), so a row appended costs the same at the
// ten-thousandth row as at the first: nothing is laid out per row, the scroll
// range is brought up to date once per pass of the event loop, and a paint draws
// only the rows in the region it was asked for (the new row; the strip a scroll
// uncovers). It reports the events the panel keeps the six columns in step on;
// each signal is raised after the list has handled the event itself (so the
// selection already reflects it).
class ListaSalti : public QAbstractItemView {
    Q_OBJECT

public:
    explicit ListaSalti(QWidget* genitore = nullptr);

    // The model's column this list shows (0 until set).
    void imposta_colonna(int colonna);
    int colonna() const { return colonna_; }

    int count() const;
    // The text of row r; empty when there is no row r.
    QString testo(int r) const;
    // Where row r is, in the viewport's coordinates (also when scrolled out of sight).
    QRect rettangolo_riga(int r) const;
    // The selected row, -1 when none.
    int riga_selezionata() const;
    // Selects row r; r < 0 clears the selection. Returns false when r is no row.
    bool seleziona_riga(int r);
    bool selezionata(int r) const;
    int altezza_riga() const;
    // How many times the rows' geometry (scroll range, rows to repaint) was brought
    // up to date: once per pass of the event loop that changed the rows.
    int impaginazioni() const { return impaginazioni_; }

    QRect visualRect(const QModelIndex& indice) const override;
    void scrollTo(const QModelIndex& indice, ScrollHint come = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& punto) const override;
    void reset() override;
    void doItemsLayout() override;

signals:
    void tasto_rilasciato();
    void tasto_premuto(int tasto);
    void mouse_premuto(Qt::MouseButton pulsante, QPoint globale);
    void mouse_mosso();

protected:
    QModelIndex moveCursor(CursorAction azione, Qt::KeyboardModifiers modificatori) override;
    int horizontalOffset() const override { return 0; }
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& rettangolo, QItemSelectionModel::SelectionFlags comando) override;
    QRegion visualRegionForSelection(const QItemSelection& selezione) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void rowsInserted(const QModelIndex& genitore, int primo, int ultimo) override;
    void rowsAboutToBeRemoved(const QModelIndex& genitore, int primo, int ultimo) override;

    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    QModelIndex indice(int r) const;
    // Rows first..last clipped to what the viewport shows, in its coordinates.
    QRect rettangolo_righe(int primo, int ultimo) const;
    void ridisegna_tutto();

    int colonna_ = 0;
    mutable int altezza_ = -1;  // the rows' height, measured on first use
    int prima_nuova_ = -1;      // the first row appended since the last layout
    bool tutto_ = true;         // every row in view to be drawn at the next layout
    int impaginazioni_ = 0;
};
