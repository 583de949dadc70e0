#pragma once

#include "adapters/qt/con_genitore.h"
#include "platform/dialogo_stampa.h"

class QWidget;

// The print dialog of Qt Print Support, on a high-resolution A4 printer.
class DialogoStampaQt : public DialogoStampa, public ConGenitore {
public:
    explicit DialogoStampaQt(QWidget* genitore = nullptr) : ConGenitore(genitore) {}
    std::unique_ptr<QPagedPaintDevice> chiedi(const QString& titolo, int pagine) override;
};
