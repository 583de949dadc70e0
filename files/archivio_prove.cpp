#include "files/archivio_prove.h"

#include "core/cartelle_programma.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/titoli.h"
#include "files/giornali_prove.h"
#include "platform/dialoghi.h"

#include <QDir>
#include <QRandomGenerator>

namespace {
std::vector<Salto> salti_di(const ModelloProva& prova) {
    const auto& e = prova.salti().elementi();
    return std::vector<Salto>(e.begin() + 1, e.end());
}
}  // namespace

ArchivioProve::ArchivioProve(ModelloProva& prova, const SessioneAtleta& sessione, const CartelleProgramma& cartelle,
                             Messaggi& messaggi, QObject* genitore)
    : QObject(genitore), prova_(prova), sessione_(sessione), cartelle_(cartelle), messaggi_(messaggi) {
    QRandomGenerator* caso = QRandomGenerator::system();
    processo_ = QByteArray::number(caso->generate64(), 16) + QByteArray::number(caso->generate64(), 16);
    scrittore_ = std::make_unique<ScrittoreArchivio>(registro(), [this](const QString& c, const QString& m) {
        QMetaObject::invokeMethod(this, [this, c, m] { mostra_guasto(c, m); }, Qt::QueuedConnection);
    });

    connect(&prova_, &ModelloProva::salto_completato, this, [this](int32_t k, const Salto& s) {
        if (!iniziata_) {
            std::vector<Salto> prima = salti_di(prova_);
            prima.resize(static_cast<size_t>(std::max(0, k - 1)));
            inizia(std::move(prima));
        }
        scrittore_->salto(k, s);
    });
    connect(&prova_, &ModelloProva::salto_eliminato, this, [this](int32_t k) {
        if (iniziata_) scrittore_->elimina(k);
        else inizia(salti_di(prova_));
    });
    connect(&prova_, &ModelloProva::azzerata, this, [this] { inizia({}); });
    connect(&prova_, &ModelloProva::sostituita, this, [this] { inizia(salti_di(prova_)); });
}

ArchivioProve::~ArchivioProve() { chiudi(); }

QString ArchivioProve::cartella() const {
    return giornali_prove::cartella_prove(sessione_.cartella_utente, cartelle_.programma);
}

QString ArchivioProve::registro() const { return giornali_prove::file_registro(cartelle_.programma); }

TestataArchivio ArchivioProve::testata() const {
    return {sessione_.nome_utente, sessione_.macchina_utente, prova_.quando(), processo_};
}

void ArchivioProve::inizia(std::vector<Salto> salti) {
    if (chiuso_) return;
    iniziata_ = true;
    scrittore_->nuova(testata(), cartella(), std::move(salti));
}

void ArchivioProve::acquisizione(bool accesa) {
    if (chiuso_) return;
    if (!accesa) return scrittore_->finisci();
    if (!iniziata_) inizia(salti_di(prova_));
    scrittore_->prepara(testata(), cartella());
}

void ArchivioProve::chiudi(int ms) {
    if (std::exchange(chiuso_, true)) return;
    scrittore_->ferma(ms);
}

void ArchivioProve::mostra_guasto(const QString& cartella, const QString& motivo) {
    if (messaggio_aperto_) return;
    messaggio_aperto_ = true;
    messaggi_.mostra(
        QStringLiteral("Impossibile scrivere l'archivio della prova nella cartella\n%1\n(%2).\n\n"
                       "La prova continua sullo schermo e l'archivio sarà riprovato al prossimo salto. "
                       "Controllare che la cartella esista, che si possa scrivere e che il disco non sia pieno; "
                       "a fine prova salvarla con \"SALVA\".")
            .arg(QDir::toNativeSeparators(cartella), motivo),
        titolo_applicazione, Icona::Esclamazione);
    messaggio_aperto_ = false;
}
