#include "display/lista_salti.h"

#include <QKeyEvent>
#include <QMouseEvent>

ListaSalti::ListaSalti(QWidget* genitore) : QListWidget(genitore) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row has the same height: appending a row never measures the others.
    setUniformItemSizes(true);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

int ListaSalti::riga_selezionata() const {
    const auto scelte = selectionModel()->selectedIndexes();
    return scelte.isEmpty() ? -1 : scelte.first().row();
}

bool ListaSalti::seleziona_riga(int r) {
    if (r < 0) {
        clearSelection();
        return true;
    }
    if (r >= count()) return false;
    setCurrentRow(r, QItemSelectionModel::ClearAndSelect);
    return true;
}

void ListaSalti::keyPressEvent(QKeyEvent* e) {
    QListWidget::keyPressEvent(e);
    emit tasto_premuto(e->key());
}

void ListaSalti::keyReleaseEvent(QKeyEvent* e) {
    QListWidget::keyReleaseEvent(e);
    emit tasto_rilasciato();
}

void ListaSalti::mousePressEvent(QMouseEvent* e) {
    QListWidget::mousePressEvent(e);
    emit mouse_premuto(e->button(), e->globalPosition().toPoint());
}

void ListaSalti::mouseMoveEvent(QMouseEvent* e) {
    QListWidget::mouseMoveEvent(e);
    emit mouse_mosso();
}
