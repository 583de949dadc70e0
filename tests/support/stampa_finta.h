#pragma once

#include "platform/dialogo_stampa.h"

#include <QPageRanges>
#include <QPdfWriter>

#include <vector>

// The print dialog answered by the test: the "printer" is a PDF writer on a file,
// with the page ranges the user would have typed. No file name is a cancel.
class DialogoStampaFinto : public DialogoStampa {
public:
    std::unique_ptr<QPagedPaintDevice> chiedi(const QString& titolo, int pagine) override {
        chiesti.push_back({titolo, pagine});
        if (percorso.isEmpty()) return nullptr;
        auto stampante = std::make_unique<QPdfWriter>(percorso);
        stampante->setPageRanges(pagine_scelte);
        return stampante;
    }
    QString percorso;
    QPageRanges pagine_scelte;
    struct Chiesta {
        QString titolo;
        int pagine;
    };
    std::vector<Chiesta> chiesti;
};
