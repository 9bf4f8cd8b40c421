#include "platform/win32/Win32Timers.h"
#include "platform/win32/Win32Window.h"
#include "tests/win32/ServiceChecks.h"

#include <map>

namespace {

// Counts ticks; ends the loop once the fast timer has ticked three times and
// the slow one once, or, failing that, when the watchdog ticks.
class TickCounter : public TimerSink {
public:
    TickCounter(TimerService& timers, WindowService& window) : m_timers(timers), m_window(window) {}

    void OnTimer(unsigned timerId) override {
        ++ticks[timerId];
        if (timerId == watchdog) {
            m_window.PostQuit(1);
        } else if (fast != 0 && ticks[fast] >= 3 && ticks[slow] >= 1) {
            m_timers.StopTimer(fast);
            m_timers.StopTimer(slow);
            fast = slow = 0;
            m_window.PostQuit(0);
        }
    }

    unsigned fast = 0;
    unsigned slow = 0;
    unsigned watchdog = 0;
    std::map<unsigned, int> ticks;

private:
    TimerService& m_timers;
    WindowService& m_window;
};

} // namespace

void CheckTimers(CheckList& checks) {
    Win32Window window;
    Win32Timers timers;
    TickCounter counter(timers, window);
    timers.SetSink(&counter);

    counter.fast = timers.StartTimer(1, 10);
    counter.slow = timers.StartTimer(2, 40);
    counter.watchdog = timers.StartTimer(3, 5000);
    const unsigned fast = counter.fast;
    checks.Expect(fast != 0 && counter.slow != 0 && counter.watchdog != 0, "timers start");
    checks.Expect(fast != counter.slow && fast != counter.watchdog &&
                      counter.slow != counter.watchdog,
                  "each timer has an identifier of its own");
    checks.Expect(window.RunMessageLoop() == 0, "ticks of both timers arrive through the loop");
    timers.StopTimer(counter.watchdog);

    const int fastTicks = counter.ticks[fast];
    counter.watchdog = timers.StartTimer(3, 200);
    window.RunMessageLoop();
    timers.StopTimer(counter.watchdog);
    checks.Expect(counter.ticks[fast] == fastTicks, "a stopped timer ticks no more");
}
