#include "core/impostazioni.h"

#include "core/numeri.h"
#include "core/sessione_atleta.h"
#include "platform/archivio_impostazioni.h"

void carica_impostazioni(SessioneAtleta& sessione, const ArchivioImpostazioni& a) {
    (void)a.leggi(chiavi::funz, chiavi::max_indice, QString());
    for (int i = 0; i < static_cast<int>(sessione.indice_utente.size()); ++i)
        sessione.indice_utente[i] =
            numeri::arrotonda_i32(numeri::prefisso(a.leggi(chiavi::funz, chiavi::indice_utente(i), QStringLiteral("0"))));
    sessione.nome_utente = a.leggi(chiavi::funz, chiavi::nome_utente, QStringLiteral("Ilvor Darsena"));
    sessione.carico_utente =
        numeri::a_float32(numeri::prefisso(a.leggi(chiavi::funz, chiavi::carico_utente, QStringLiteral("100"))));
    sessione.macchina_utente = a.leggi(chiavi::funz, chiavi::macchina_utente, QStringLiteral("Spinte Panca"));
    sessione.t_volo_min =
        numeri::arrotonda_i32(numeri::prefisso(a.leggi(chiavi::funz, chiavi::t_volo_min, QStringLiteral("20"))));
}

void salva_impostazioni(const SessioneAtleta& sessione, ArchivioImpostazioni& a, const QLocale& locale) {
    const int ultimo = static_cast<int>(sessione.indice_utente.size()) - 1;
    a.scrivi(chiavi::funz, chiavi::max_indice, QString::number(ultimo));
    for (int i = 0; i <= ultimo; ++i)
        a.scrivi(chiavi::funz, chiavi::indice_utente(i), QString::number(sessione.indice_utente[i]));
    a.scrivi(chiavi::funz, chiavi::nome_utente, sessione.nome_utente);
    a.scrivi(chiavi::funz, chiavi::carico_utente, numeri::testo_float(sessione.carico_utente, locale));
    a.scrivi(chiavi::funz, chiavi::macchina_utente, sessione.macchina_utente);
    a.scrivi(chiavi::funz, chiavi::t_volo_min, QString::number(sessione.t_volo_min));
}
