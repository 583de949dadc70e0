#include "display/lista_salti.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

ListaSalti::ListaSalti(QWidget* genitore) : QAbstractItemView(genitore) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

void ListaSalti::imposta_colonna(int colonna) {
    colonna_ = colonna;
    ridisegna_tutto();
}

QModelIndex ListaSalti::indice(int r) const { return model() ? model()->index(r, colonna_) : QModelIndex(); }

int ListaSalti::count() const { return model() ? model()->rowCount() : 0; }

QString ListaSalti::testo(int r) const { return indice(r).data().toString(); }

int ListaSalti::altezza_riga() const {
    if (altezza_ > 0) return altezza_;
    if (count() == 0) return fontMetrics().height();
    // Every row is as tall as the first (the rows differ only in their digits).
    QStyleOptionViewItem opzione;
    initViewItemOption(&opzione);
    altezza_ = std::max(1, itemDelegate()->sizeHint(opzione, indice(0)).height());
    return altezza_;
}

int ListaSalti::verticalOffset() const { return verticalScrollBar()->value(); }

QRect ListaSalti::rettangolo_riga(int r) const {
    const int h = altezza_riga();
    return QRect(0, r * h - verticalOffset(), viewport()->width(), h);
}

QRect ListaSalti::visualRect(const QModelIndex& i) const {
    if (!i.isValid() || i.column() != colonna_) return {};
    return rettangolo_riga(i.row());
}

QRect ListaSalti::rettangolo_righe(int primo, int ultimo) const {
    const QRect r = rettangolo_riga(primo).united(rettangolo_riga(ultimo));
    return r.intersected(viewport()->rect());
}

QModelIndex ListaSalti::indexAt(const QPoint& punto) const {
    if (!viewport()->rect().contains(punto)) return {};
    const int r = (punto.y() + verticalOffset()) / altezza_riga();
    return r < count() ? indice(r) : QModelIndex();
}

void ListaSalti::scrollTo(const QModelIndex& i, ScrollHint come) {
    if (!i.isValid()) return;
    executeDelayedItemsLayout();  // the scroll range must know of rows appended in this pass
    const int h = altezza_riga(), alto = i.row() * h, visibile = viewport()->height();
    QScrollBar* barra = verticalScrollBar();
    switch (come) {
    case PositionAtTop:
        barra->setValue(alto);
        break;
    case PositionAtBottom:
        barra->setValue(alto + h - visibile);
        break;
    case PositionAtCenter:
        barra->setValue(alto + h / 2 - visibile / 2);
        break;
    case EnsureVisible:
        if (alto < barra->value())
            barra->setValue(alto);
        else if (alto + h > barra->value() + visibile)
            barra->setValue(alto + h - visibile);
        break;
    }
}

QModelIndex ListaSalti::moveCursor(CursorAction azione, Qt::KeyboardModifiers) {
    const int n = count();
    if (n == 0) return {};
    const int corrente = currentIndex().isValid() ? currentIndex().row() : -1;
    if (corrente < 0) return indice(0);
    const int pagina = std::max(1, viewport()->height() / altezza_riga());
    int r = corrente;
    switch (azione) {
    case MoveUp:
    case MovePrevious:
        r = corrente - 1;
        break;
    case MoveDown:
    case MoveNext:
        r = corrente + 1;
        break;
    case MovePageUp:
        r = corrente - pagina;
        break;
    case MovePageDown:
        r = corrente + pagina;
        break;
    case MoveHome:
        r = 0;
        break;
    case MoveEnd:
        r = n - 1;
        break;
    case MoveLeft:
    case MoveRight:
        break;
    }
    return indice(std::clamp(r, 0, n - 1));
}

void ListaSalti::setSelection(const QRect& rettangolo, QItemSelectionModel::SelectionFlags comando) {
    const QRect r = rettangolo.normalized();
    const int h = altezza_riga(), n = count();
    const int primo = std::max(0, (r.top() + verticalOffset()) / h);
    const int ultimo = std::min(n - 1, (r.bottom() + verticalOffset()) / h);
    QItemSelection scelta;
    if (primo <= ultimo) scelta.select(indice(primo), indice(ultimo));
    selectionModel()->select(scelta, comando);
}

QRegion ListaSalti::visualRegionForSelection(const QItemSelection& selezione) const {
    QRegion regione;
    for (const QItemSelectionRange& tratto : selezione)
        if (tratto.left() <= colonna_ && colonna_ <= tratto.right())
            regione += rettangolo_righe(tratto.top(), tratto.bottom());
    return regione;
}

int ListaSalti::riga_selezionata() const {
    if (!selectionModel()) return -1;
    const auto scelte = selectionModel()->selectedIndexes();
    return scelte.isEmpty() ? -1 : scelte.first().row();
}

bool ListaSalti::selezionata(int r) const { return selectionModel() && selectionModel()->isSelected(indice(r)); }

bool ListaSalti::seleziona_riga(int r) {
    if (r < 0) {
        clearSelection();
        return true;
    }
    if (r >= count()) return false;
    selectionModel()->setCurrentIndex(indice(r), QItemSelectionModel::ClearAndSelect);
    return true;
}

void ListaSalti::scrollContentsBy(int dx, int dy) {
    // The rows in view move; only the strip they uncover is painted.
    viewport()->scroll(dx, dy);
}

void ListaSalti::updateGeometries() {
    const int totale = count() * altezza_riga(), visibile = viewport()->height();
    QScrollBar* barra = verticalScrollBar();
    barra->setSingleStep(altezza_riga());
    barra->setPageStep(visibile);
    barra->setRange(0, std::max(0, totale - visibile));
    QAbstractItemView::updateGeometries();
}

void ListaSalti::rowsInserted(const QModelIndex& genitore, int primo, int ultimo) {
    QAbstractItemView::rowsInserted(genitore, primo, ultimo);
    if (primo == 0) altezza_ = -1;
    // The new rows are drawn, and the scroll range grows, once for the whole pass.
    if (prima_nuova_ < 0 || primo < prima_nuova_) prima_nuova_ = primo;
    scheduleDelayedItemsLayout();
}

void ListaSalti::rowsAboutToBeRemoved(const QModelIndex& genitore, int primo, int ultimo) {
    QAbstractItemView::rowsAboutToBeRemoved(genitore, primo, ultimo);
    // The rows below move up: all of them are drawn again once the rows have gone.
    ridisegna_tutto();
}

void ListaSalti::reset() {
    QAbstractItemView::reset();
    ridisegna_tutto();
}

void ListaSalti::ridisegna_tutto() {
    altezza_ = -1;
    tutto_ = true;
    scheduleDelayedItemsLayout();
}

void ListaSalti::doItemsLayout() {
    ++impaginazioni_;
    updateGeometries();
    // Rows appended and nothing else: only they are drawn. Anything else (a layout
    // Qt asks for itself, a row removed, a new font) draws every row in view.
    if (tutto_ || prima_nuova_ < 0)
        viewport()->update();
    else if (prima_nuova_ < count())
        viewport()->update(rettangolo_righe(prima_nuova_, count() - 1));
    prima_nuova_ = -1;
    tutto_ = false;
}

bool ListaSalti::event(QEvent* e) {
    if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange) ridisegna_tutto();
    return QAbstractItemView::event(e);
}

void ListaSalti::paintEvent(QPaintEvent* e) {
    const int n = count();
    if (n == 0) return;
    QPainter pittore(viewport());
    QStyleOptionViewItem opzione;
    initViewItemOption(&opzione);
    const QStyle::State stato = opzione.state;
    const QModelIndex corrente = currentIndex();
    const bool fuoco = (hasFocus() || viewport()->hasFocus()) && corrente.isValid();
    const int h = altezza_riga(), scostamento = verticalOffset();
    const int primo = std::max(0, (e->rect().top() + scostamento) / h);
    const int ultimo = std::min(n - 1, (e->rect().bottom() + scostamento) / h);
    for (int r = primo; r <= ultimo; ++r) {
        const QModelIndex i = indice(r);
        opzione.rect = rettangolo_riga(r);
        opzione.state = stato;
        if (selectionModel()->isSelected(i)) opzione.state |= QStyle::State_Selected;
        if (fuoco && i == corrente) opzione.state |= QStyle::State_HasFocus;
        itemDelegate()->paint(&pittore, opzione, i);
    }
}

void ListaSalti::keyPressEvent(QKeyEvent* e) {
    QAbstractItemView::keyPressEvent(e);
    emit tasto_premuto(e->key());
}

void ListaSalti::keyReleaseEvent(QKeyEvent* e) {
    QAbstractItemView::keyReleaseEvent(e);
    emit tasto_rilasciato();
}

void ListaSalti::mousePressEvent(QMouseEvent* e) {
    QAbstractItemView::mousePressEvent(e);
    emit mouse_premuto(e->button(), e->globalPosition().toPoint());
}

void ListaSalti::mouseMoveEvent(QMouseEvent* e) {
    QAbstractItemView::mouseMoveEvent(e);
    emit mouse_mosso();
}
