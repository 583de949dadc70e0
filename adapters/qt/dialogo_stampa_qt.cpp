#include "adapters/qt/dialogo_stampa_qt.h"

#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

std::unique_ptr<QPagedPaintDevice> DialogoStampaQt::chiedi(const QString& titolo, int pagine) {
    auto stampante = std::make_unique<QPrinter>(QPrinter::HighResolution);
    stampante->setPageSize(QPageSize(QPageSize::A4));
    stampante->setDocName(titolo);
    QPrintDialog d(stampante.get(), genitore_);
    d.setObjectName(QStringLiteral("dlgStampa"));
    d.setWindowTitle(QStringLiteral("Stampa ") + titolo);
    d.setMinMax(1, std::max(1, pagine));
    d.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                 QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies);
    if (d.exec() != QDialog::Accepted) return nullptr;
    // Only an explicit range limits the pages; "all" leaves none, whatever the dialog kept.
    if (stampante->printRange() != QPrinter::PageRange) stampante->setPageRanges(QPageRanges());
    return stampante;
}
