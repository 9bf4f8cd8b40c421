#pragma once

#include "StartupSample.h"
#include "TimedProgram.h"
#include "TrayMessageWatch.h"

// Whether the notification area shows an icon with the tooltip `tip`.
bool TrayShowsIcon(const std::string& tip);

// Starts the program, waits until the taskbar has taken its icon and the
// program waits for input, reads its peak working set, checks that its icon
// shows, then asks it to close and waits until it and its icon are gone
// (ending it when it does not close).
StartupSample TimeStartup(const TimedProgram& program, TrayMessageWatch& tray);
