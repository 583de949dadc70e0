#pragma once

#include "history/lettore_storico.h"
#include "history/prova_storico.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <vector>

// The tests of one athlete, without a window: `aggiorna` lists the athlete's
// folder; a file already read, unchanged since (the same name, size and time),
// comes back from memory or from the cache at once, the others are read on the
// worker and arrive one by one. When the last has arrived the cache is written
// again. A file gone from the folder is gone from the rows at the next `aggiorna`.
class StoricoAtleta : public QObject {
    Q_OBJECT

public:
    enum class Stato {
        NessunAtleta,      // no athlete chosen (no folder)
        CartellaMancante,  // the athlete's folder does not exist
        Elencata           // the rows are the folder's files
    };

    // `cartella_cache` holds one cache file per athlete; empty: no cache on disk.
    StoricoAtleta(LettoreStorico::Leggi leggi, QString cartella_cache, QObject* genitore = nullptr);

    Stato aggiorna(const QString& cartella_atleta);
    Stato stato() const { return stato_; }
    const QString& cartella() const { return cartella_; }

    const std::vector<ProvaStorico>& prove() const { return prove_; }
    int da_leggere() const { return da_leggere_; }
    bool in_lettura() const { return lettore_.in_corso(); }
    // Why the cache could not be written the last time (empty when it was, or was not tried).
    const QString& errore_cache() const { return errore_cache_; }

signals:
    // The rows were replaced by a new listing.
    void elencate();
    // Row `indice` has been read (a test, or a damaged file).
    void letta(int indice);
    // Every row is read.
    void lettura_finita();

private:
    void ricevi(const ProvaStorico& prova);
    void finisci();

    LettoreStorico lettore_;
    QString cartella_cache_;
    QString cartella_;
    QString file_cache_;
    Stato stato_ = Stato::NessunAtleta;
    std::vector<ProvaStorico> prove_;
    QHash<QString, int> indici_;  // file name -> row
    int da_leggere_ = 0;
    bool da_salvare_ = false;
    QString errore_cache_;
};
