#pragma once

#include "platform/TimerService.h"
#include "tests/fake/CallLog.h"

#include <map>

// Thread timers that tick only when a test fires them.
class FakeTimers : public TimerService {
public:
    struct Timer {
        unsigned requestedId;
        unsigned periodMs;
    };

    explicit FakeTimers(CallLog& log) : m_log(log) {}

    void SetSink(TimerSink* sink) override;
    // Like the system, picks its own identifier: never the requested one, and
    // never one used before, so a program that keeps the wrong one is caught.
    unsigned StartTimer(unsigned requestedId, unsigned periodMs) override;
    void StopTimer(unsigned timerId) override;

    // One tick of a running timer, delivered to the sink. False, delivering
    // nothing, when no timer with that identifier runs or there is no sink.
    bool Fire(unsigned timerId);
    // The running timer started with requestedId; 0 when there is none.
    unsigned RunningIdFor(unsigned requestedId) const;
    // Running timers by identifier.
    const std::map<unsigned, Timer>& Running() const { return m_running; }
    // StopTimer calls for identifiers that were not running.
    int UnknownStops() const { return m_unknownStops; }

    // What StartTimer answers: false makes it fail and return 0.
    bool startSucceeds = true;

private:
    CallLog& m_log;
    TimerSink* m_sink = nullptr;
    std::map<unsigned, Timer> m_running;
    unsigned m_nextId = 0x7ff0;
    int m_unknownStops = 0;
};
