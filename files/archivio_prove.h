#pragma once

#include "files/scrittore_archivio.h"

#include <QObject>
#include <QString>

#include <memory>

class ModelloProva;
struct SessioneAtleta;
struct CartelleProgramma;
class Messaggi;

// The test archive: every jump of the test on disk as it happens, in the "prove"
// folder of the athlete (of the program folder when no athlete folder is set).
// It follows the test model as a listener, never writing to it, and is told when
// acquisition is switched on (the journal is made before the first jump) or off
// and when the program closes (the test is finished into its text file). A
// cleared or replaced test finishes the one before. The disk work is done by a
// ScrittoreArchivio; a failure to write is said once, and the test goes on.
class ArchivioProve : public QObject {
    Q_OBJECT

public:
    // To be made before the views of the test connect to the model, so that a
    // jump is written before its row is shown.
    ArchivioProve(ModelloProva& prova, const SessioneAtleta& sessione, const CartelleProgramma& cartelle,
                  Messaggi& messaggi, QObject* genitore = nullptr);
    ~ArchivioProve() override;

    void acquisizione(bool accesa);
    // The program closes: the test is finished; the disk is waited for `ms` at most.
    void chiudi(int ms = 3000);

    // This run's mark in its journals.
    const QByteArray& processo() const { return processo_; }
    // The folder of the next test, and the record of the open journals.
    QString cartella() const;
    QString registro() const;
    ScrittoreArchivio::Conti conti() const { return scrittore_->conti(); }

private:
    TestataArchivio testata() const;
    void inizia(std::vector<Salto> salti);
    void mostra_guasto(const QString& cartella, const QString& motivo);

    ModelloProva& prova_;
    const SessioneAtleta& sessione_;
    const CartelleProgramma& cartelle_;
    Messaggi& messaggi_;
    QByteArray processo_;
    std::unique_ptr<ScrittoreArchivio> scrittore_;
    bool iniziata_ = false;  // the writer knows the current test
    bool chiuso_ = false;
    bool messaggio_aperto_ = false;
};
