// The one header through which the tool reaches the window manager, the
// process memory services and the common controls. On Windows it brings the
// system's own declarations; elsewhere the same names are declared by the
// simulated desktop, which the native tests drive.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <commctrl.h>
#else
#include "platform/simulated_api.h"
#endif
