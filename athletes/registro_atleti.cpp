#include "athletes/registro_atleti.h"

#include "athletes/disco_registro.h"
#include "athletes/file_config.h"
#include "athletes/nomi_cartelle.h"
#include "core/impostazioni.h"
#include "core/numeri.h"
#include "core/titoli.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

int32_t valore_numerico(const QString& testo) { return numeri::arrotonda_i32(numeri::prefisso(testo)); }

// Name order of the athletes: letter case ignored, then counted to break ties.
bool prima_atleta(const QString& a, const QString& b) {
    const int r = QString::compare(a, b, Qt::CaseInsensitive);
    return r != 0 ? r < 0 : a < b;
}
}  // namespace

RegistroAtleti::RegistroAtleti(SessioneAtleta& sessione, const CartelleProgramma& cartelle,
                               ArchivioImpostazioni& impostazioni, Messaggi& messaggi,
                               VistaIntestazione& intestazione, QObject* genitore)
    : QObject(genitore),
      sessione_(sessione),
      cartelle_(cartelle),
      impostazioni_(impostazioni),
      messaggi_(messaggi),
      intestazione_(intestazione) {}

void RegistroAtleti::Prepara_campi() {
    sessione_.nome_utente = impostazioni_.leggi(chiavi::funz, chiavi::nome_utente, QString());
    sessione_.squadra = impostazioni_.leggi(chiavi::funz, chiavi::squadra, QString());
    sessione_.indice_utente[1] = valore_numerico(impostazioni_.leggi(chiavi::funz, chiavi::pos_utente, QStringLiteral("0")));
    sessione_.indice_utente[0] = valore_numerico(impostazioni_.leggi(chiavi::funz, chiavi::pos_squadra, QStringLiteral("0")));

    RigheConfigurazione elenchi;
    leggi_file_ini(cartelle_, messaggi_, elenchi);
    for (int k = 0; k <= ultima_riga; ++k) riempi_riga(k, elenchi[static_cast<size_t>(k)].voci);

    Elenca_atleti();

    if (auto file = nomi_cartelle::file_atleta(cartelle_.programma, sessione_.squadra, sessione_.nome_utente);
        file && QFileInfo::exists(*file)) {
        Carica_File_Config(sessione_, messaggi_, *file);
    }
}

void RegistroAtleti::riempi_riga(int riga, const QStringList& voci) {
    righe_[static_cast<size_t>(riga)] = {voci, -1, QString()};
    emit riga_cambiata(riga);
}

void RegistroAtleti::Elenca_atleti() {
    riempi_riga(riga_atleta, {});
    // With no team there is no team folder: the program folder's own subfolders are no athletes.
    if (sessione_.squadra.isEmpty()) return;
    auto cartella = nomi_cartelle::cartella_squadra(cartelle_.programma, sessione_.squadra);
    if (!cartella || !QFileInfo(*cartella).isDir()) return;
    QStringList atleti;
    for (const QString& nome : QDir(*cartella).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort)) {
        if (nomi_cartelle::sicuro(nome)) atleti << nome;
    }
    std::sort(atleti.begin(), atleti.end(), prima_atleta);
    riempi_riga(riga_atleta, atleti);
    if (!atleti.isEmpty()) seleziona(riga_atleta, 0);
}

void RegistroAtleti::Aggiorna_campi(bool completa) {
    aggiornamento_in_corso_ = true;
    for (int i = completa ? 0 : riga_esercizio; i <= ultima_riga; ++i) {
        const int32_t p = sessione_.indice_utente[static_cast<size_t>(i)];
        // Only -1 and existing positions are applied; anything else leaves the row as it is.
        if (p >= -1 && p < riga(i).voci.size()) seleziona(i, p);
    }
    aggiornamento_in_corso_ = false;
}

void RegistroAtleti::seleziona(int indice, int32_t posizione) {
    RigaRegistro& r = righe_[static_cast<size_t>(indice)];
    r.corrente = posizione >= 0 && posizione < r.voci.size() ? posizione : -1;
    r.testo = r.corrente >= 0 ? r.voci[r.corrente] : QString();
    emit riga_cambiata(indice);
    selezione_riga(indice);  // does nothing while aggiornamento_in_corso_ is set
}

void RegistroAtleti::digita(int indice, const QString& testo) { righe_[static_cast<size_t>(indice)].testo = testo; }

void RegistroAtleti::selezione_riga(int indice) {
    if (aggiornamento_in_corso_) return;
    if (indice == riga_squadra) {
        sessione_.squadra = testo_riga(riga_squadra);
        Elenca_atleti();
    } else if (indice == riga_atleta) {
        auto file = nomi_cartelle::file_atleta(cartelle_.programma, testo_riga(riga_squadra), testo_riga(riga_atleta));
        if (file && QFileInfo::exists(*file) && Carica_File_Config(sessione_, messaggi_, *file)) Aggiorna_campi(false);
    }
}

int32_t RegistroAtleti::posizione_selezionata(int indice) const {
    const RigaRegistro& r = riga(indice);
    if (r.corrente >= 0 && r.corrente < r.voci.size() && r.voci[r.corrente] == r.testo) return r.corrente;
    return static_cast<int32_t>(r.voci.indexOf(r.testo));
}

RigheConfigurazione RegistroAtleti::righe() const {
    RigheConfigurazione r;
    for (int k = 0; k <= ultima_riga; ++k) r[static_cast<size_t>(k)] = {riga(k).voci, posizione_selezionata(k)};
    return r;
}

bool RegistroAtleti::rifiuta_nome(const QString& squadra, const QString& atleta) {
    const auto rifiuto = nomi_cartelle::rifiuto(cartelle_.programma, squadra, atleta);
    if (rifiuto) messaggi_.mostra(*rifiuto, titolo_applicazione, Icona::Esclamazione);
    return rifiuto.has_value();
}

bool RegistroAtleti::Applica_configurazione() {
    const QString squadra = testo_riga(riga_squadra);
    const QString atleta = testo_riga(riga_atleta);
    // Typed names become folders too: an unusable one stops the commit before anything changes.
    if (rifiuta_nome(squadra, atleta)) return false;

    for (int i = 0; i <= ultima_riga; ++i) sessione_.indice_utente[static_cast<size_t>(i)] = posizione_selezionata(i);
    sessione_.nome_utente = atleta;
    sessione_.macchina_utente = testo_riga(riga_esercizio);
    // An empty row (nothing chosen yet, as at a first start) keeps the minimum in
    // force: a minimum of 0 ms would turn every bounce on the mat into a jump.
    const QString t_volo = testo_riga(riga_t_volo);
    if (!t_volo.trimmed().isEmpty()) sessione_.t_volo_min = valore_numerico(t_volo);
    sessione_.squadra = squadra;

    sessione_.cartella_utente = *nomi_cartelle::cartella_squadra(cartelle_.programma, squadra);
    for (bool atleta_fatto : {false, true}) {
        if (atleta_fatto) sessione_.cartella_utente = QDir(sessione_.cartella_utente).filePath(atleta);
        if (auto e = disco_registro::crea_cartella(sessione_.cartella_utente)) {
            messaggi_.mostra(QStringLiteral("Applica_configurazione: ") + *e, titolo_applicazione, Icona::Critica);
            return false;
        }
    }

    impostazioni_.scrivi(chiavi::funz, chiavi::nome_utente, sessione_.nome_utente);
    impostazioni_.scrivi(chiavi::funz, chiavi::pos_utente, QString::number(sessione_.indice_utente[1]));
    impostazioni_.scrivi(chiavi::funz, chiavi::squadra, sessione_.squadra);
    impostazioni_.scrivi(chiavi::funz, chiavi::pos_squadra, QString::number(sessione_.indice_utente[0]));

    Salva_File_Config(sessione_, cartelle_, righe(), messaggi_);
    intestazione_.Aggiorna_intestazione();
    return true;
}

void RegistroAtleti::Nuovo(int riga, const QString& valore) {
    QStringList& voci = righe_[static_cast<size_t>(riga)].voci;
    if (!valore.isEmpty() && !voci.contains(valore)) {
        if (valore.contains(u'"')) {
            messaggi_.mostra(QStringLiteral("Il valore non può contenere le virgolette (\")."), titolo_applicazione,
                             Icona::Esclamazione);
        } else if ((riga == riga_squadra || riga == riga_atleta) &&
                   rifiuta_nome(riga == riga_squadra ? valore : testo_riga(riga_squadra),
                                riga == riga_atleta ? valore : QString())) {
            // Refused with its message: the row stays as it was.
        } else {
            // A new athlete takes its place in name order, where the next listing of the
            // team folder will find it, so its stored position keeps naming it.
            int posizione = static_cast<int>(voci.size());
            if (riga == riga_atleta) {
                posizione = 0;
                while (posizione < voci.size() && prima_atleta(voci[posizione], valore)) ++posizione;
            }
            voci.insert(posizione, valore);
            seleziona(riga, posizione);
        }
    }
    Applica_configurazione();
}

void RegistroAtleti::Elimina(int indice) {
    const int32_t p = posizione_selezionata(indice);
    if (p < 0) return;
    RigaRegistro& r = righe_[static_cast<size_t>(indice)];
    r.voci.removeAt(p);
    if (r.voci.isEmpty()) {
        r = {};
        emit riga_cambiata(indice);
        return;
    }
    seleziona(indice, p == 0 ? 0 : p - 1);
}

void RegistroAtleti::Annulla() { intestazione_.Aggiorna_intestazione(); }
