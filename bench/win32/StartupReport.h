#pragma once

#include "StartupSample.h"
#include "TimedProgram.h"

#include <vector>

// The starts of one program over all rounds, and its file's size.
struct ProgramResults {
    TimedProgram program;
    std::vector<StartupSample> samples;
    unsigned long long fileBytes = 0;
};

// The Markdown table of medians side by side with the floor's, and one line
// per goal with its verdict: start-up within 1.1 times the floor's time, peak
// working set within 1.0 MiB of the floor's.
void PrintStartupReport(const ProgramResults& floor, const ProgramResults& program);
