#pragma once

#include "files/prova_letta.h"
#include "report/dati_rapporto.h"
#include "report/impaginazione.h"
#include "tools/figure_prova.h"

#include <QSizeF>

class QIODevice;
class QPagedPaintDevice;

// The test report: title "Rapporto prova", the header fields, the coach's
// figures, the means and decrements, the graph and the table of every jump,
// with "pagina n di m", the date printed and the program's version at the foot
// of every page. Drawn as vectors and text on any paged device, so the same
// pages go to a PDF file or to a printer.
class Rapporto {
public:
    explicit Rapporto(const DatiRapporto& dati);

    const figure_prova::Figure& figure() const { return figure_; }

    // Pages of the report on a device whose area inside the margins has this size (mm).
    int pagine(QSizeF contenuto = impaginazione::contenuto_a4()) const;

    // Sets the report's margins on the device (its paper size is kept) and draws
    // every page, or only the pages of the device's page ranges when it has some.
    // `avanzamento` hears the number of pages to draw, then each one drawn.
    // False when the device cannot be painted on.
    bool disegna(QPagedPaintDevice& dispositivo, const Avanzamento& avanzamento = {}) const;

private:
    class Pittura;

    DatiRapporto dati_;
    figure_prova::Figure figure_;
};

// The report as a PDF on A4 into `uscita`, which must be open for writing. False
// when the PDF could not be made (a failing write shows on the device itself).
bool scrivi_pdf(const DatiRapporto& dati, QIODevice& uscita, const Avanzamento& avanzamento = {});
