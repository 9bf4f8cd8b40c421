#pragma once

#include <string>

// One start of a program, up to the moment it was asked to close again.
struct StartupSample {
    bool measured = false;
    double iconMs = 0;                // from the start until the taskbar had taken its icon
    double idleMs = 0;                // from the start until it first waited for input
    unsigned long long peakBytes = 0; // the most memory it had in its working set
    std::string problem;              // why it was not measured
};
