#pragma once

#include "platform/dialogo_stampa.h"

class QWidget;

// The print dialog of Qt Print Support, on a high-resolution A4 printer.
class DialogoStampaQt : public DialogoStampa {
public:
    explicit DialogoStampaQt(QWidget* genitore = nullptr) : genitore_(genitore) {}
    std::unique_ptr<QPagedPaintDevice> chiedi(const QString& titolo, int pagine) override;
    void imposta_genitore(QWidget* g) { genitore_ = g; }

private:
    QWidget* genitore_;
};
