#pragma once

#include "files/prova_letta.h"

#include <functional>
#include <optional>

// A test file read on a thread of its own while the calling (user-interface)
// thread keeps processing its events in a nested wait: the board's jumps, the
// timers and the painting go on, and the window never stands still for the
// disk. `lettura` must touch nothing the user-interface thread uses (no widget,
// no model, nothing shared that changes): it reads the file into its result and
// reports how far it has come through the `Avanzamento` it is given, which the
// wait hands on to `avanzamento` on the calling thread.
//
// The wait ends when the read does, or after `scadenza_ms` whatever happens (a
// disk or network that stopped answering): then nothing is returned, and the
// read is left to end on its own, its result dropped.
std::optional<EsitoLettura> leggi_in_disparte(std::function<EsitoLettura(const Avanzamento&)> lettura,
                                              const Avanzamento& avanzamento, int scadenza_ms);
