#pragma once

#include "platform/accesso_hid.h"

#include <memory>

// udev's hot-plug events for the hidraw subsystem, the events sent once udev's
// rules have run (so a node's permissions are already set). nullptr where the
// program is built without libudev (Windows, macOS).
std::unique_ptr<SorgenteEventiHid> nuova_sorgente_udev();
