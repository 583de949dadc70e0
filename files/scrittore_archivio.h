#pragma once

#include "files/formato_archivio.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

// The writer of the test archive: a thread of its own creates, syncs and finishes
// the journal of the current test, so that a slow or dead disk never holds the
// user-interface thread.
//
// The user-interface thread hands it every change of the test, in order. A jump's
// line is written by the caller itself, one write to the open journal (the system
// keeps it even if the program dies the next instant), when nothing is queued
// before it and the thread is not stuck on the disk; otherwise it is queued and
// the thread writes it. The thread makes what was written durable at most 100 ms
// later, with one sync for a whole burst.
//
// A failure (folder not writable, disk full, folder removed) closes the journal
// and is reported once; the next jump tries again, writing the whole test anew.
class ScrittoreArchivio {
public:
    // `registro`: the record of open journals. `al_guasto` is called on the writer's
    // thread when writing starts to fail, with the folder and the reason; again
    // only after a write has succeeded in between.
    ScrittoreArchivio(QString registro, std::function<void(const QString& cartella, const QString& motivo)> al_guasto);
    ~ScrittoreArchivio();
    ScrittoreArchivio(const ScrittoreArchivio&) = delete;
    ScrittoreArchivio& operator=(const ScrittoreArchivio&) = delete;

    // A new test, which finishes the one before: its header, its folder, its jumps
    // so far. It gets a file at its first jump, or when it is prepared.
    void nuova(const TestataArchivio& testata, const QString& cartella, std::vector<Salto> salti);
    // Acquisition is on: the journal of the new test is created now, with this
    // header, before its first jump.
    void prepara(const TestataArchivio& testata, const QString& cartella);
    void salto(int32_t k, const Salto& s);
    void elimina(int32_t k);
    // The test is finished: its journal becomes its text file. Jumps that still
    // come open a journal of the whole test again.
    void finisci();
    // Finishes and stops the thread. False when the thread had not ended within
    // `ms`: it is then left to end on its own.
    bool ferma(int ms);

    struct Conti {
        int64_t sincronizzazioni = 0;
        int64_t scritti_subito = 0;  // jump lines written by the caller
        int64_t scritti_dopo = 0;    // jump lines written by the thread
    };
    Conti conti() const;

private:
    struct Stato;
    class Lavoro;
    static void ciclo(std::shared_ptr<Stato> s);
    std::shared_ptr<Stato> s_;
    std::thread t_;
};
