#include "athletes/file_config.h"

#include "athletes/disco_registro.h"
#include "athletes/file_atleta.h"
#include "athletes/file_elenchi.h"
#include "athletes/nomi_cartelle.h"

#include <QDir>
#include <QFileInfo>

namespace {
void errore(Messaggi& messaggi, const char* procedura, const QString& descrizione) {
    messaggi.mostra(QLatin1String(procedura) + QStringLiteral(": ") + descrizione, titolo_applicazione, Icona::Critica);
}
}  // namespace

bool Salva_File_Config(const SessioneAtleta& sessione, const CartelleProgramma& cartelle,
                       const RigheConfigurazione& righe, Messaggi& messaggi, const QString& filename) {
    if (auto e = disco_registro::crea_cartella(cartelle.cartella_ini())) {
        errore(messaggi, "Salva_File_Config", *e);
        return false;
    }
    if (auto e = disco_registro::scrivi_file(cartelle.file_ini(), file_elenchi::scrivi(righe))) {
        errore(messaggi, "Salva_File_Config", *e);
        return false;
    }
    QString nome_file = filename;
    if (nome_file.isEmpty()) {
        if (sessione.nome_utente.isEmpty()) return true;
        // The name becomes part of the path: an unsafe one is never written.
        if (!nomi_cartelle::sicuro(sessione.nome_utente)) {
            messaggi.mostra(nomi_cartelle::messaggio_nome_non_valido(sessione.nome_utente), titolo_applicazione,
                            Icona::Esclamazione);
            return false;
        }
        nome_file = QDir(sessione.cartella_utente).filePath(sessione.nome_utente + QStringLiteral(".cfg"));
    }
    if (auto e = disco_registro::scrivi_file(nome_file, file_atleta::scrivi(sessione.indice_utente, sessione.cartella_utente))) {
        errore(messaggi, "Salva_File_Config", *e);
        return false;
    }
    return true;
}

bool Carica_File_Config(SessioneAtleta& sessione, Messaggi& messaggi, const QString& filename) {
    auto letto = disco_registro::leggi_file(filename);
    if (!letto.errore.isEmpty()) {
        errore(messaggi, "Carica_File_Config", letto.errore);
        return false;
    }
    auto lettura = file_atleta::leggi(letto.contenuto);
    if (!lettura.compatibile) {
        messaggi.mostra(testo_file_non_compatibile, titolo_applicazione, Icona::Nessuna);
        return false;
    }
    for (size_t i = 0; i < lettura.indici.size(); ++i) sessione.indice_utente[i] = lettura.indici[i];
    if (lettura.cartella) sessione.cartella_utente = *lettura.cartella;
    return true;
}

void leggi_file_ini(const CartelleProgramma& cartelle, Messaggi& messaggi, RigheConfigurazione& righe) {
    righe[riga_atleta] = {};
    if (!QFileInfo::exists(cartelle.file_ini())) return;
    auto letto = disco_registro::leggi_file(cartelle.file_ini());
    if (!letto.errore.isEmpty()) {
        errore(messaggi, "Prepara_campi", letto.errore);
        return;
    }
    file_elenchi::leggi(letto.contenuto, righe);
}
