#include "adapters/hid/avviso_accesso_hid.h"

QString avviso_accesso_hid(const QString& nodo) {
    return QStringLiteral(
               "La Scheda è collegata via USB (%1), ma questo utente non ha il permesso di usarla.\n\n"
               "Installare il pacchetto di Hopa: la sua regola udev (70-hopa-scheda.rules) dà la Scheda "
               "all'utente che ha aperto la sessione. Poi staccare e ricollegare la Scheda.")
        .arg(nodo);
}
