#include "app/geometria_principale.h"

#include <algorithm>

QRect geometria_principale(const QRect& disponibile, const QMargins& cornice) {
    const QRect spazio = disponibile.marginsRemoved(cornice);
    const QSize voluta(std::max(1024, disponibile.width() * 9 / 10), std::max(700, disponibile.height() * 9 / 10));
    const QSize dimensione = voluta.boundedTo(spazio.size()).expandedTo(QSize(1, 1));
    QRect r(QPoint(0, 0), dimensione);
    r.moveCenter(spazio.center());
    // An odd difference leaves the centre half a pixel off: keep the edge inside.
    r.moveTopLeft(QPoint(std::max(r.left(), spazio.left()), std::max(r.top(), spazio.top())));
    return r;
}
