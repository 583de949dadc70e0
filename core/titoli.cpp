#include "core/titoli.h"

QString crea_testo_versione() {
    return QStringLiteral("Hopa %1.%2.%3")
        .arg(HOPA_VERSIONE_MAJOR)
        .arg(HOPA_VERSIONE_MINOR)
        .arg(HOPA_VERSIONE_PATCH);
}
