#include "history/lettore_storico.h"

#include <QThread>

LettoreStorico::LettoreStorico(Leggi leggi, QObject* genitore) : QObject(genitore), leggi_(std::move(leggi)) {}

LettoreStorico::~LettoreStorico() { ferma(); }

void LettoreStorico::ferma() {
    // A new round number makes the results already posted by the old worker stale.
    ++giro_;
    in_corso_ = false;
    if (!lavoro_) return;
    *basta_ = true;
    lavoro_->wait();
    lavoro_.reset();
}

void LettoreStorico::avvia(std::vector<FileProva> file) {
    ferma();
    const quint64 giro = giro_;
    basta_ = std::make_shared<std::atomic<bool>>(false);
    in_corso_ = true;
    lavoro_.reset(QThread::create([this, file = std::move(file), basta = basta_, leggi = leggi_, giro] {
        for (const FileProva& f : file) {
            if (*basta) return;
            ProvaStorico p = leggi(f);
            QMetaObject::invokeMethod(
                this,
                [this, p = std::move(p), giro] {
                    if (giro == giro_) emit letta(p);
                },
                Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(
            this,
            [this, giro] {
                if (giro != giro_) return;
                in_corso_ = false;
                emit finita();
            },
            Qt::QueuedConnection);
    }));
    lavoro_->setObjectName(QStringLiteral("lettura_storico"));
    lavoro_->start(QThread::LowPriority);
}
