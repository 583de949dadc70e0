#include "files/comandi_file.h"

#include "core/numeri.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/titoli.h"
#include "core/viste.h"
#include "files/foglio_prova.h"
#include "files/frm_progress.h"
#include "files/lettura_csv.h"
#include "files/lettura_in_disparte.h"
#include "platform/cartella_lavoro.h"
#include "platform/dialoghi.h"

#include <QFileInfo>
#include <QScopeGuard>

namespace {

RichiestaFile richiesta_apri(const SessioneAtleta& sessione, const QString& filtro) {
    RichiestaFile r;
    r.titolo = QStringLiteral("Apri");
    r.cartella_iniziale = sessione.cartella_utente;
    r.filtro = filtro;
    r.annulla_errore = true;
    return r;
}

const QString filtro_cartelle = QStringLiteral("*.xlsx *.xls");

}  // namespace

ComandiFile::ComandiFile(ModelloProva& prova, SessioneAtleta& sessione, VistaIntestazione& intestazione,
                         DialogoFile& dialogo, Messaggi& messaggi, FogliDiCalcolo& fogli, QWidget* genitore)
    : prova_(prova),
      sessione_(sessione),
      intestazione_(intestazione),
      dialogo_(dialogo),
      messaggi_(messaggi),
      fogli_(fogli),
      progresso_(genitore) {}

ComandiFile::~ComandiFile() = default;

Frm_progress& ComandiFile::progresso() { return progresso_.finestra(); }

void ComandiFile::errore(const QString& testo) { messaggi_.mostra(testo, titolo_applicazione, Icona::Nessuna); }

void ComandiFile::errore_scadenza(const QString& procedura) {
    errore(procedura + QStringLiteral(": la lettura del file non è finita entro %1 s (disco o rete che non rispondono): "
                                      "la prova è rimasta com'era. Controllare il disco o la rete e riprovare.")
                           .arg(scadenza_lettura_ms / 1000.0));
}

std::optional<EsitoLettura> ComandiFile::leggi(std::function<EsitoLettura(const Avanzamento&)> lettura) {
    occupato_ = true;
    const auto libera = qScopeGuard([this] { occupato_ = false; });
    ProgressoVisibile finestra(progresso());
    return leggi_in_disparte(std::move(lettura), finestra.avanzamento(), scadenza_lettura_ms);
}

void ComandiFile::mnuFileSalva_dati() {
    if (occupato_) return;
    RichiestaFile r;
    r.titolo = QStringLiteral("Salva dati con nome");
    r.estensione_predefinita = QStringLiteral("xlsx");
    r.nome_suggerito = sessione_.macchina_utente + QLatin1Char('_') + numeri::marca_temporale(adesso());
    r.filtro = QStringLiteral("*.xlsx");
    r.annulla_errore = true;
    auto percorso = dialogo_.salva(r);
    if (!percorso) return;
    Salva_File_Dati_Excel(*percorso);
}

bool ComandiFile::Salva_File_Dati_Excel(const QString& percorso) {
    if (occupato_) return false;
    ProgressoVisibile finestra(progresso());
    QString motivo;
    bool ok = false;
    if (auto cartella = fogli_.nuova()) {
        ok = scrivi_prova_foglio(cartella->foglio_attivo(), prova_.salti(), sessione_.nome_utente, sessione_.macchina_utente,
                                 numeri::marca_temporale(adesso()), finestra.avanzamento(), &motivo) &&
             cartella->salva_con_nome(percorso, &motivo);
        cartella->chiudi();
    } else {
        motivo = QStringLiteral("componente dei fogli di calcolo non disponibile");
    }
    finestra.chiudi();
    if (!ok) errore(QStringLiteral("Salva_File_Dati_Excel: ") + motivo);
    return ok;
}

void ComandiFile::mnuFileApri() {
    if (occupato_) return;
    auto percorso = dialogo_.apri(richiesta_apri(sessione_, filtro_cartelle));
    if (!percorso) return;
    apri_file_xls(*percorso);
}

bool ComandiFile::apri_file_xls(const QString& percorso) {
    if (occupato_) return false;
    auto letto = leggi([&fogli = fogli_, percorso](const Avanzamento& a) {
        EsitoLettura e = leggi_file_foglio(percorso, fogli, a);
        if (!e.prova.quando.isValid()) e.prova.quando = QFileInfo(percorso).lastModified();
        return e;
    });
    if (!letto) {
        errore_scadenza(QStringLiteral("apri_file_xls"));
        return false;
    }
    EsitoLettura& esito = *letto;
    switch (esito.tipo) {
        case EsitoLettura::Tipo::Letta: applica(std::move(esito.prova)); return true;
        case EsitoLettura::Tipo::FormatoErrato:
            errore(QStringLiteral("File ") + percorso + QStringLiteral(" errato!"));
            return false;
        case EsitoLettura::Tipo::Ignorata:
        case EsitoLettura::Tipo::Errore: errore(QStringLiteral("apri_file_xls: ") + esito.errore); return false;
    }
    return false;
}

void ComandiFile::apri_file_csv() {
    if (occupato_) return;
    auto percorso = dialogo_.apri(richiesta_apri(sessione_, QString()));
    if (!percorso) return;
    apri_file_csv(*percorso);
}

bool ComandiFile::apri_file_csv(const QString& percorso, const QDateTime& quando) {
    if (occupato_) return false;
    auto letto = leggi([percorso, quando](const Avanzamento&) {
        EsitoLettura e = leggi_file_csv(percorso);
        // The text file holds no time stamp: the test was taken when the file was last written.
        e.prova.quando = quando.isValid() ? quando : QFileInfo(percorso).lastModified();
        return e;
    });
    if (!letto) {
        errore_scadenza(QStringLiteral("mnuFileSalva_dati"));
        return false;
    }
    EsitoLettura& esito = *letto;
    switch (esito.tipo) {
        case EsitoLettura::Tipo::Letta: applica(std::move(esito.prova)); return true;
        case EsitoLettura::Tipo::Ignorata: return false;
        case EsitoLettura::Tipo::FormatoErrato:
        case EsitoLettura::Tipo::Errore: errore(QStringLiteral("mnuFileSalva_dati: ") + esito.errore); return false;
    }
    return false;
}

std::optional<QString> ComandiFile::apri_excel() { return dialogo_.apri(richiesta_apri(sessione_, filtro_cartelle)); }

void ComandiFile::applica(ProvaLetta prova) {
    // The model's notice rebuilds the list and the graph.
    sessione_.nome_utente = prova.nome_utente;
    sessione_.macchina_utente = prova.macchina_utente;
    prova_.sostituisci(std::move(prova.salti), prova.quando);
    // The header is refreshed once per jump shown and once more, so a test of no
    // jumps still shows its athlete and exercise.
    for (int32_t k = 0; k <= prova_.numero(); ++k) intestazione_.Aggiorna_intestazione();
}
