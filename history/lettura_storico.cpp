#include "history/lettura_storico.h"

#include "files/foglio_prova.h"
#include "files/lettura_csv.h"
#include "history/file_prova.h"

namespace lettura_storico {

namespace {

QString motivo(const EsitoLettura& esito, bool testo) {
    switch (esito.tipo) {
        case EsitoLettura::Tipo::Ignorata:
            return QStringLiteral("non è il file di una prova (non comincia con \"HOPA\")");
        case EsitoLettura::Tipo::FormatoErrato:
            return QStringLiteral("il foglio non è quello di una prova (in C1 manca \"Tipo salto\")");
        case EsitoLettura::Tipo::Errore:
        case EsitoLettura::Tipo::Letta: break;
    }
    return (testo ? QStringLiteral("file di testo illeggibile: ") : QStringLiteral("cartella di lavoro illeggibile: ")) +
           esito.errore;
}

}  // namespace

ProvaStorico da_leggere(const FileProva& file) {
    ProvaStorico p;
    p.file = file;
    if (const auto dal_nome = file_prova::dati_dal_nome(file.nome)) {
        p.esercizio = dal_nome->esercizio;
        p.quando = dal_nome->quando;
    } else {
        p.quando = QDateTime::fromMSecsSinceEpoch(file.modificato);
    }
    return p;
}

ProvaStorico leggi(const FileProva& file, FogliDiCalcolo& fogli) {
    ProvaStorico p = da_leggere(file);
    const bool testo = file_prova::estensione_csv(file.nome);
    EsitoLettura esito = testo ? leggi_file_csv(file.percorso) : leggi_file_foglio(file.percorso, fogli, {});
    if (esito.tipo != EsitoLettura::Tipo::Letta) {
        p.stato = ProvaStorico::Stato::Danneggiata;
        p.motivo = motivo(esito, testo);
        return p;
    }
    p.stato = ProvaStorico::Stato::Letta;
    p.esercizio = esito.prova.macchina_utente;
    p.atleta = esito.prova.nome_utente;
    if (esito.prova.quando.isValid()) p.quando = esito.prova.quando;
    p.salti = std::move(esito.prova.salti);
    calcola_figure(p);
    return p;
}

void calcola_figure(ProvaStorico& prova) {
    Salti salti;
    salti.sostituisci(prova.salti);
    prova.figure = figure_prova::calcola(salti);
}

}  // namespace lettura_storico
