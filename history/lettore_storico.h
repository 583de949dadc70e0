#pragma once

#include "history/prova_storico.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QThread;

// Reads files into history rows on a worker thread, so that the window stays alive
// however many there are. Each row read comes back on this object's thread
// (`letta`), then `finita`. A new start, `ferma` or the destructor stops the worker
// and waits for it; rows of a stopped run are never delivered.
class LettoreStorico : public QObject {
    Q_OBJECT

public:
    // Called on the worker thread, one file after the other.
    using Leggi = std::function<ProvaStorico(const FileProva&)>;

    explicit LettoreStorico(Leggi leggi, QObject* genitore = nullptr);
    ~LettoreStorico() override;

    void avvia(std::vector<FileProva> file);
    void ferma();
    bool in_corso() const { return in_corso_; }

signals:
    void letta(const ProvaStorico& prova);
    void finita();

private:
    Leggi leggi_;
    std::unique_ptr<QThread> lavoro_;
    std::shared_ptr<std::atomic<bool>> basta_;
    quint64 giro_ = 0;
    bool in_corso_ = false;
};
