#include "athletes/file_atleta.h"

#include "athletes/formato_registro.h"
#include "core/cp1252.h"
#include "core/lettore_campi.h"

namespace file_atleta {

QByteArray scrivi(const std::array<int32_t, 11>& indice_utente, const QString& cartella_utente) {
    QStringList linee{marcatore};
    for (int32_t v : indice_utente) linee << formato_registro::intero(v);
    linee << formato_registro::testo(cartella_utente);
    return formato_registro::righe_in_byte(linee);
}

Lettura leggi(const QByteArray& contenuto) {
    Lettura esito;
    LettoreCampi l(cp1252::decodifica(contenuto));
    auto primo = l.campo();
    if (!primo || *primo != marcatore) return esito;
    esito.compatibile = true;
    for (int i = 0; i < 11; ++i) {
        auto campo = l.campo();
        if (!campo) return esito;
        esito.indici.push_back(formato_registro::leggi_intero(*campo));
    }
    esito.cartella = l.campo();
    return esito;
}

}  // namespace file_atleta
