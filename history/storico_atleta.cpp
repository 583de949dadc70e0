#include "history/storico_atleta.h"

#include "history/cache_storico.h"
#include "history/lettura_storico.h"

#include <QDir>
#include <QFileInfo>

StoricoAtleta::StoricoAtleta(LettoreStorico::Leggi leggi, QString cartella_cache, QObject* genitore)
    : QObject(genitore), lettore_(std::move(leggi)), cartella_cache_(std::move(cartella_cache)) {
    connect(&lettore_, &LettoreStorico::letta, this, &StoricoAtleta::ricevi);
    connect(&lettore_, &LettoreStorico::finita, this, &StoricoAtleta::finisci);
}

StoricoAtleta::Stato StoricoAtleta::aggiorna(const QString& cartella_atleta) {
    lettore_.ferma();
    // What is known already: the rows in memory for the same athlete, else the cache.
    std::vector<ProvaStorico> note;
    const bool stesso = !cartella_atleta.isEmpty() && cartella_atleta == cartella_;
    if (stesso) {
        note = std::move(prove_);
    } else {
        da_salvare_ = false;
        file_cache_ = cartella_cache_.isEmpty() || cartella_atleta.isEmpty()
                          ? QString()
                          : cache_storico::file_per(cartella_cache_, cartella_atleta);
        if (!file_cache_.isEmpty()) note = cache_storico::carica(file_cache_);
    }
    QHash<QString, const ProvaStorico*> per_nome;
    for (const ProvaStorico& p : note)
        if (p.stato != ProvaStorico::Stato::DaLeggere) per_nome.insert(p.file.nome, &p);

    cartella_ = cartella_atleta;
    std::vector<ProvaStorico> prove;
    std::vector<FileProva> da_leggere;
    if (cartella_atleta.isEmpty()) {
        stato_ = Stato::NessunAtleta;
    } else if (!QFileInfo(cartella_atleta).isDir()) {
        stato_ = Stato::CartellaMancante;
    } else {
        stato_ = Stato::Elencata;
        for (const FileProva& f : file_prova::elenca(cartella_atleta)) {
            const ProvaStorico* nota = per_nome.value(f.nome);
            // A damaged file is read again: it may have been a test being written.
            if (nota && nota->letta() && nota->file.stesso(f)) {
                prove.push_back(*nota);
                prove.back().file = f;
            } else {
                prove.push_back(lettura_storico::da_leggere(f));
                da_leggere.push_back(f);
            }
        }
    }
    // Rows gone are written out of the cache at the end of the reading (rows read
    // but not yet written, by a reading stopped half way, are still owed).
    qsizetype lette_prima = 0;
    for (const ProvaStorico& p : note) lette_prima += p.letta() ? 1 : 0;
    qsizetype tenute = 0;
    for (const ProvaStorico& p : prove) tenute += p.letta() ? 1 : 0;
    da_salvare_ = da_salvare_ || tenute != lette_prima;

    prove_ = std::move(prove);
    indici_.clear();
    for (int i = 0; i < static_cast<int>(prove_.size()); ++i) indici_.insert(prove_[static_cast<size_t>(i)].file.nome, i);
    da_leggere_ = static_cast<int>(da_leggere.size());
    emit elencate();
    if (da_leggere.empty()) finisci();
    else lettore_.avvia(std::move(da_leggere));
    return stato_;
}

void StoricoAtleta::ricevi(const ProvaStorico& prova) {
    const auto i = indici_.constFind(prova.file.nome);
    if (i == indici_.constEnd()) return;
    prove_[static_cast<size_t>(*i)] = prova;
    --da_leggere_;
    if (prova.letta()) da_salvare_ = true;
    emit letta(*i);
}

void StoricoAtleta::finisci() {
    if (da_salvare_ && !file_cache_.isEmpty() && stato_ == Stato::Elencata) {
        errore_cache_ = cache_storico::salva(file_cache_, prove_).value_or(QString());
        da_salvare_ = false;
    }
    emit lettura_finita();
}
