#pragma once

// Thread timers without a window. Ticks arrive at the sink from whichever
// message loop runs: the main loop, a dialog's, a message box's or a pop-up
// menu's.
class TimerSink {
public:
    virtual ~TimerSink() = default;
    virtual void OnTimer(unsigned timerId) = 0;
};

class TimerService {
public:
    virtual ~TimerService() = default;

    virtual void SetSink(TimerSink* sink) = 0;
    // Returns the identifier the system chose (0 on failure); ticks carry it.
    virtual unsigned StartTimer(unsigned requestedId, unsigned periodMs) = 0;
    virtual void StopTimer(unsigned timerId) = 0;
};
