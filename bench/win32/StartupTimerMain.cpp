// The start-up benchmark's timer, run inside Wine's desktop: it starts a tray
// program and a floor (a program that only puts up a tray icon) in turn, a
// number of rounds each, and prints how long each took to show its icon and
// to wait for input, and how much memory each had at most, side by side.
// The moment an icon is taken comes from inside the shell: a hook in
// tray-message-hook.dll, beside this program, logs it.
//
//   startup-timer ROUNDS FLOOR TIP WINDOW PROGRAM TIP WINDOW
//
// FLOOR and PROGRAM are the programs' paths; TIP is the tooltip that tells
// each one's icon apart, WINDOW the title of the hidden window asked to close.
// Exit status: 0 when every round was measured, 1 when one was not, 2 on a
// usage error, when the hook cannot be set, or when an icon of either program
// is shown before the start.
#include "StartupReport.h"
#include "StartupRun.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

namespace {

unsigned long long FileBytes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string HookPath() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string hook = path;
    return hook.substr(0, hook.find_last_of('\\') + 1) + "tray-message-hook.dll";
}

void PrintSample(int round, const TimedProgram& program, const StartupSample& sample) {
    if (sample.measured)
        std::printf("round %d, %s: icon %.1f ms, waiting for input %.1f ms, peak %.2f MiB\n", round,
                    program.Name().c_str(), sample.iconMs, sample.idleMs,
                    static_cast<double>(sample.peakBytes) / (1024.0 * 1024.0));
    else
        std::printf("round %d, %s: not measured: %s\n", round, program.Name().c_str(),
                    sample.problem.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    // Lines end in LF alone, as the script that shows them expects.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc != 8 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: startup-timer ROUNDS FLOOR TIP WINDOW PROGRAM TIP WINDOW\n");
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    ProgramResults floor{{argv[2], argv[3], argv[4]}, {}, FileBytes(argv[2])};
    ProgramResults program{{argv[5], argv[6], argv[7]}, {}, FileBytes(argv[5])};
    ProgramResults* const both[] = {&floor, &program};
    for (const ProgramResults* results : both)
        if (TrayShowsIcon(results->program.tip)) {
            std::fprintf(stderr, "an icon \"%s\" is shown already\n", results->program.tip.c_str());
            return 2;
        }

    TrayMessageWatch tray;
    const std::string hookProblem = tray.Install(HookPath());
    if (!hookProblem.empty()) {
        std::fprintf(stderr, "%s\n", hookProblem.c_str());
        return 2;
    }

    // Round 0 fills the system's caches and is not counted. The order of the
    // two alternates, so that neither always starts right after the other.
    bool allMeasured = true;
    for (int round = 0; round <= rounds; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            ProgramResults& results = *both[(round + turn) % 2];
            const StartupSample sample = TimeStartup(results.program, tray);
            PrintSample(round, results.program, sample);
            if (round == 0)
                continue;
            results.samples.push_back(sample);
            allMeasured = allMeasured && sample.measured;
            if (TrayShowsIcon(results.program.tip)) {
                std::fprintf(stderr, "an icon \"%s\" stayed behind; later rounds would be wrong\n",
                             results.program.tip.c_str());
                return 1;
            }
        }
    }
    PrintStartupReport(floor, program);
    return allMeasured ? 0 : 1;
}
