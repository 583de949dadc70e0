#pragma once

#include <QPagedPaintDevice>
#include <QString>

#include <memory>

// The system's print dialog.
class DialogoStampa {
public:
    virtual ~DialogoStampa() = default;
    // Shows the dialog for the document `titolo` of `pagine` pages. Gives the
    // printer as the user configured it, ready to be painted on (its page ranges,
    // when set, are the pages the user asked for), or nothing on cancel.
    virtual std::unique_ptr<QPagedPaintDevice> chiedi(const QString& titolo, int pagine) = 0;
};
