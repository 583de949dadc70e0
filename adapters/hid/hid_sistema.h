#pragma once

#include "platform/accesso_hid.h"
#include "platform/libreria_hid.h"

#include <memory>

// The seam on hidapi (hidraw back end on Linux).
std::unique_ptr<AccessoHid> nuovo_accesso_hidapi();

// The library on this system's HID stack (hidapi).
std::unique_ptr<LibreriaHid> nuova_libreria_hid_di_sistema();
