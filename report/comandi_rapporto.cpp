#include "report/comandi_rapporto.h"

#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/titoli.h"
#include "files/frm_progress.h"
#include "platform/dialoghi.h"
#include "platform/dialogo_stampa.h"
#include "platform/errori_file.h"
#include "report/nome_rapporto.h"
#include "report/rapporto.h"
#include "report/testi_rapporto.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Why a report file could not be written, in words the coach can act on.
QString motivo(const QSaveFile& file, const QString& percorso) {
    const QFileInfo destinazione(percorso);
    if (!destinazione.absoluteDir().exists()) return QStringLiteral("La cartella non esiste.");
    if (destinazione.isDir()) return QStringLiteral("Esiste già una cartella con questo nome.");
    QString testo = QStringLiteral("Il file non può essere scritto: %1.").arg(errori_file::descrizione(file));
    // Windows keeps a file open in a viewer from being replaced.
    if (file.error() == QFileDevice::RenameError && destinazione.exists())
        testo += QStringLiteral(" Il file già presente forse è aperto in un altro programma.");
    return testo;
}

}  // namespace

ComandiRapporto::ComandiRapporto(const ModelloProva& prova, const SessioneAtleta& sessione, QString versione,
                                 DialogoFile& dialogo, DialogoStampa& stampa, Messaggi& messaggi, QWidget* genitore)
    : prova_(prova),
      sessione_(sessione),
      versione_(std::move(versione)),
      dialogo_(dialogo),
      stampa_(stampa),
      messaggi_(messaggi),
      progresso_(genitore) {}

ComandiRapporto::~ComandiRapporto() = default;

DatiRapporto ComandiRapporto::dati(const Salti& copia) const {
    return {sessione_.squadra,    sessione_.nome_utente, sessione_.macchina_utente, prova_.quando(),
            sessione_.t_volo_min, copia,                 versione_,                 adesso()};
}

bool ComandiRapporto::vuota(const Salti& salti) {
    if (!salti.vuota()) return false;
    messaggi_.mostra(QStringLiteral("Lista salti vuota!"), titolo_applicazione);
    return true;
}

void ComandiRapporto::errore(const QString& testo) { messaggi_.mostra(testo, titolo_applicazione, Icona::Esclamazione); }

void ComandiRapporto::mnuFileEsporta_rapporto() {
    if (occupato_ || vuota(prova_.salti())) return;
    const QDateTime quando = prova_.quando();
    RichiestaFile r;
    r.titolo = QStringLiteral("Esporta rapporto PDF");
    r.cartella_iniziale = sessione_.cartella_utente;
    r.estensione_predefinita = QStringLiteral("pdf");
    r.nome_suggerito = nome_rapporto::suggerito(sessione_.nome_utente, sessione_.macchina_utente,
                                                (quando.isValid() ? quando : adesso()).date());
    r.filtro = QStringLiteral("Documenti PDF (*.pdf)");
    r.annulla_errore = true;
    const auto percorso = dialogo_.salva(r);
    if (!percorso) return;
    esporta_pdf(*percorso);
}

bool ComandiRapporto::esporta_pdf(const QString& percorso) {
    if (occupato_) return false;
    const Salti copia = prova_.salti();
    if (vuota(copia)) return false;
    const QString non_salvato = QStringLiteral("Il rapporto non è stato salvato in:\n%1\n\n%2\n"
                                               "Scegliere un'altra cartella o un altro nome e riprovare.");
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly)) {
        errore(non_salvato.arg(QDir::toNativeSeparators(percorso), motivo(file, percorso)));
        return false;
    }
    occupato_ = true;
    bool scritto = false;
    {
        ProgressoVisibile finestra(progresso(), ProgressoVisibile::Eventi::Passano);
        scritto = scrivi_pdf(dati(copia), file, finestra.avanzamento());
    }
    occupato_ = false;
    if (!scritto) {
        file.cancelWriting();
        errore(non_salvato.arg(QDir::toNativeSeparators(percorso), QStringLiteral("Il documento non è stato composto.")));
        return false;
    }
    if (!file.commit()) {
        errore(non_salvato.arg(QDir::toNativeSeparators(percorso), motivo(file, percorso)));
        return false;
    }
    return true;
}

void ComandiRapporto::mnuFileStampa_rapporto() {
    if (occupato_) return;
    const Salti copia = prova_.salti();
    if (vuota(copia)) return;
    const DatiRapporto d = dati(copia);
    const Rapporto rapporto(d);
    occupato_ = true;
    auto stampante = stampa_.chiedi(testi_rapporto::titolo, rapporto.pagine());
    bool stampato = true;
    if (stampante) {
        ProgressoVisibile finestra(progresso(), ProgressoVisibile::Eventi::Passano);
        stampato = rapporto.disegna(*stampante, finestra.avanzamento());
    }
    occupato_ = false;
    if (!stampato)
        errore(QStringLiteral("La stampa del rapporto non è riuscita: la stampante scelta non può essere usata.\n"
                              "Controllare che sia accesa e collegata, oppure sceglierne un'altra, e riprovare."));
}
