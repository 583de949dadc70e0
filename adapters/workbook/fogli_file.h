#pragma once

#include "platform/cartella_lavoro.h"
#include "adapters/workbook/lettura_cartelle.h"

// The spreadsheet component of this program: new workbooks are built in memory
// and stored as .xlsx; files are read as .xlsx or legacy .xls according to their
// content, whatever their name says.
class FogliDiCalcoloFile : public FogliDiCalcolo {
public:
    explicit FogliDiCalcoloFile(LimitiLettura limiti = {}) : limiti_(limiti) {}
    std::unique_ptr<CartellaLavoro> nuova() override;
    std::unique_ptr<CartellaLavoro> apri(const QString& percorso, QString* errore) override;

private:
    LimitiLettura limiti_;
};
