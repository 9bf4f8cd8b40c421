#pragma once

#include <string>

// A tray program whose start-up is timed: how to start it, how to tell its
// icon from others, and which hidden window to ask to close.
struct TimedProgram {
    std::string path;   // as the programs in the prefix name it
    std::string tip;    // the tooltip of its notification-area icon
    std::string window; // the title of its hidden window

    // The file name alone, for the report.
    std::string Name() const;
};
