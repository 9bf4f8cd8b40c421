#include "StartupRun.h"

#include "TrayIconList.h"
#include "WindowLookup.h"

#include <psapi.h>

namespace {

// Neither wait needs a look at the shell, so a short pause costs little.
constexpr DWORD kPollMs = 2;
constexpr double kStartLimitMs = 60000;
constexpr DWORD kCloseLimitMs = 20000;
// How long the shell may take to show or drop an icon; not timed.
constexpr double kShellLimitSeconds = 20;

class Stopwatch {
public:
    Stopwatch() {
        ::QueryPerformanceFrequency(&m_frequency);
        ::QueryPerformanceCounter(&m_start);
    }
    double ElapsedMs() const {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return MsAt(now.QuadPart);
    }
    // Any process's QueryPerformanceCounter counts on the same clock.
    double MsAt(LONGLONG ticks) const {
        return static_cast<double>(ticks - m_start.QuadPart) * 1000.0 /
               static_cast<double>(m_frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_frequency{};
    LARGE_INTEGER m_start{};
};

class StartedProcess {
public:
    explicit StartedProcess(const std::string& path) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + path + "\"";
        m_started = ::CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                     nullptr, nullptr, &startup, &m_info) != FALSE;
    }
    ~StartedProcess() {
        if (m_started) {
            ::CloseHandle(m_info.hThread);
            ::CloseHandle(m_info.hProcess);
        }
    }
    StartedProcess(const StartedProcess&) = delete;
    StartedProcess& operator=(const StartedProcess&) = delete;

    bool Started() const { return m_started; }
    HANDLE Handle() const { return m_info.hProcess; }
    DWORD Id() const { return m_info.dwProcessId; }
    bool Ended(DWORD waitMs = 0) const {
        return ::WaitForSingleObject(m_info.hProcess, waitMs) == WAIT_OBJECT_0;
    }

private:
    PROCESS_INFORMATION m_info{};
    bool m_started = false;
};

// Waits for both signs of a finished start-up; the wait for input idleness
// doubles as the pause between looks at the hook's log.
std::string WaitUntilStarted(const StartedProcess& process, const TrayMessageWatch& tray,
                             const Stopwatch& watch, StartupSample& sample) {
    bool iconAdded = false;
    bool idle = false;
    for (;;) {
        if (idle) {
            ::Sleep(kPollMs);
        } else {
            const DWORD waited = ::WaitForInputIdle(process.Handle(), kPollMs);
            if (waited == 0) {
                sample.idleMs = watch.ElapsedMs();
                idle = true;
            } else if (waited == WAIT_FAILED) {
                return "its wait for input could not be watched";
            }
        }
        LONGLONG added = 0;
        if (!iconAdded && tray.IconAddedBy(process.Id(), added)) {
            sample.iconMs = watch.MsAt(added);
            iconAdded = true;
        }
        if (iconAdded && idle)
            return {};
        if (process.Ended())
            return iconAdded ? "it ended before it waited for input"
                             : "it ended before it added an icon";
        if (watch.ElapsedMs() > kStartLimitMs)
            return iconAdded ? "it did not wait for input within 60 s" : "no icon within 60 s";
    }
}

std::string ReadPeakWorkingSet(const StartedProcess& process, StartupSample& sample) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(process.Handle(), &counters, sizeof counters))
        return "its memory could not be read";
    sample.peakBytes = counters.PeakWorkingSetSize;
    return {};
}

// As a user's "close" would reach it: the hidden window gets WM_CLOSE.
std::string Close(const StartedProcess& process, const TimedProgram& program) {
    WindowQuery query;
    query.title = program.window.c_str();
    for (HWND window : FindAllTopLevel(query)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == process.Id())
            ::PostMessageA(window, WM_CLOSE, 0, 0);
    }
    std::string problem;
    if (!process.Ended(kCloseLimitMs)) {
        ::TerminateProcess(process.Handle(), 1);
        process.Ended(kCloseLimitMs);
        problem = "it did not close within 20 s and was ended";
    }
    if (!PollFor(kShellLimitSeconds, [&] { return !TrayShowsIcon(program.tip); }))
        problem = "its icon stayed in the notification area after it ended";
    return problem;
}

} // namespace

bool TrayShowsIcon(const std::string& tip) {
    for (const ShownTrayIcon& icon : ListTrayIcons())
        if (icon.tip == tip)
            return true;
    return false;
}

StartupSample TimeStartup(const TimedProgram& program, TrayMessageWatch& tray) {
    StartupSample sample;
    tray.Forget();
    const Stopwatch watch;
    const StartedProcess process(program.path);
    if (!process.Started()) {
        sample.problem = "it could not be started";
        return sample;
    }
    sample.problem = WaitUntilStarted(process, tray, watch, sample);
    if (sample.problem.empty())
        sample.problem = ReadPeakWorkingSet(process, sample);
    // The icon the taskbar took is the one with the program's tooltip.
    if (sample.problem.empty() &&
        !PollFor(kShellLimitSeconds, [&] { return TrayShowsIcon(program.tip); }))
        sample.problem = "no icon \"" + program.tip + "\" shows in the notification area";
    const std::string closing = Close(process, program);
    if (sample.problem.empty())
        sample.problem = closing;
    sample.measured = sample.problem.empty();
    return sample;
}
