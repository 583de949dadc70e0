#pragma once

// Stand-ins the benchmarks hand to the commands they time: a file dialog that is
// never asked, and messages printed (and counted) instead of shown.

#include "platform/dialoghi.h"

#include <cstdio>

class DialogoMuto : public DialogoFile {
public:
    std::optional<QString> apri(const RichiestaFile&) override { return std::nullopt; }
    std::optional<QString> salva(const RichiestaFile&) override { return std::nullopt; }
};

class MessaggiStampati : public Messaggi {
public:
    void mostra(const QString& testo, const QString&, Icona) override {
        std::fprintf(stderr, "messaggio: %s\n", qPrintable(testo));
        ++n;
    }
    int n = 0;
};
