#pragma once

// Services that never wait for a person, for the programs that run the whole
// application unattended (benchmarks, the archive's kill test): no sound, no
// answer to input boxes, no file chosen, no other program started; message
// boxes are collected.

#include "platform/avvio_programmi.h"
#include "platform/beep.h"
#include "platform/dialoghi.h"

#include <QStringList>

struct BeepMuto : Beep {
    void suona() override {}
};
struct MessaggiRaccolti : Messaggi {
    QStringList testi;
    void mostra(const QString& t, const QString&, Icona) override { testi << t; }
};
struct NessunaRisposta : CasellaInput {
    QString chiedi(const QString&, const QString&, const QString&) override { return {}; }
};
struct NessunFile : DialogoFile {
    std::optional<QString> apri(const RichiestaFile&) override { return std::nullopt; }
    std::optional<QString> salva(const RichiestaFile&) override { return std::nullopt; }
};
struct NessunProgramma : AvvioProgrammi {
    bool avvia_calcolatrice() override { return false; }
    bool apri_documento(const QString&) override { return false; }
};
