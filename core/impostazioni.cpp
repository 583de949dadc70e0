#include "core/impostazioni.h"

#include "core/numeri.h"
#include "core/stato.h"
#include "platform/archivio_impostazioni.h"

void carica_impostazioni(Stato& stato, const ArchivioImpostazioni& a) {
    (void)a.leggi(chiavi::funz, chiavi::max_indice, QString());
    for (int i = 0; i < static_cast<int>(stato.indice_utente.size()); ++i)
        stato.indice_utente[i] =
            numeri::arrotonda_i32(numeri::prefisso(a.leggi(chiavi::funz, chiavi::indice_utente(i), QStringLiteral("0"))));
    stato.nome_utente = a.leggi(chiavi::funz, chiavi::nome_utente, QStringLiteral("Ilvor Darsena"));
    stato.carico_utente =
        numeri::a_float32(numeri::prefisso(a.leggi(chiavi::funz, chiavi::carico_utente, QStringLiteral("100"))));
    stato.macchina_utente = a.leggi(chiavi::funz, chiavi::macchina_utente, QStringLiteral("Spinte Panca"));
    stato.t_volo_min =
        numeri::arrotonda_i32(numeri::prefisso(a.leggi(chiavi::funz, chiavi::t_volo_min, QStringLiteral("20"))));
}

void salva_impostazioni(const Stato& stato, ArchivioImpostazioni& a, const QLocale& locale) {
    const int ultimo = static_cast<int>(stato.indice_utente.size()) - 1;
    a.scrivi(chiavi::funz, chiavi::max_indice, QString::number(ultimo));
    for (int i = 0; i <= ultimo; ++i)
        a.scrivi(chiavi::funz, chiavi::indice_utente(i), QString::number(stato.indice_utente[i]));
    a.scrivi(chiavi::funz, chiavi::nome_utente, stato.nome_utente);
    a.scrivi(chiavi::funz, chiavi::carico_utente, numeri::testo_float(stato.carico_utente, locale));
    a.scrivi(chiavi::funz, chiavi::macchina_utente, stato.macchina_utente);
    a.scrivi(chiavi::funz, chiavi::t_volo_min, QString::number(stato.t_volo_min));
}
