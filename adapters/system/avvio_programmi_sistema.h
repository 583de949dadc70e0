#pragma once

#include "platform/avvio_programmi.h"

// The calculator and the document opener of this system.
class AvvioProgrammiSistema : public AvvioProgrammi {
public:
    bool avvia_calcolatrice() override;
    bool apri_documento(const QString& percorso) override;
};
