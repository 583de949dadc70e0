// The fakes are header-only; this unit keeps the support library non-empty.
#include "finti.h"
