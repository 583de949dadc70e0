#pragma once

// Services that never wait for a person, for the programs that run the whole
// application or a part of it unattended (benchmarks, simulators, the archive's
// kill test): no sound, no answer to input boxes, no file chosen, no other
// program started, no header to refresh; message boxes are collected, or printed
// and counted.

#include "core/viste.h"
#include "platform/avvio_programmi.h"
#include "platform/beep.h"
#include "platform/dialoghi.h"

#include <QStringList>

#include <cstdio>

struct BeepMuto : Beep {
    void suona() override {}
};
struct MessaggiRaccolti : Messaggi {
    QStringList testi;
    void mostra(const QString& t, const QString&, Icona) override { testi << t; }
};
// Each message on standard error as "messaggio: <text>".
struct MessaggiStampati : Messaggi {
    int n = 0;
    void mostra(const QString& t, const QString&, Icona) override {
        std::fprintf(stderr, "messaggio: %s\n", qPrintable(t));
        ++n;
    }
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
struct IntestazioneMuta : VistaIntestazione {
    void Aggiorna_intestazione() override {}
};
