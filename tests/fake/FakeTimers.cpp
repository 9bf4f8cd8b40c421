#include "tests/fake/FakeTimers.h"

#include <string>

void FakeTimers::SetSink(TimerSink* sink) {
    m_log.Record(sink != nullptr ? "SetTimerSink" : "SetTimerSink none");
    m_sink = sink;
}

unsigned FakeTimers::StartTimer(unsigned requestedId, unsigned periodMs) {
    unsigned timerId = 0;
    if (startSucceeds) {
        if (m_nextId == requestedId)
            ++m_nextId;
        timerId = m_nextId++;
        m_running[timerId] = {requestedId, periodMs};
    }
    m_log.Record("StartTimer " + std::to_string(requestedId) + " " + std::to_string(periodMs) +
                 " -> " + std::to_string(timerId));
    return timerId;
}

void FakeTimers::StopTimer(unsigned timerId) {
    m_log.Record("StopTimer " + std::to_string(timerId));
    if (m_running.erase(timerId) == 0)
        ++m_unknownStops;
}

bool FakeTimers::Fire(unsigned timerId) {
    if (m_sink == nullptr || m_running.count(timerId) == 0)
        return false;
    m_sink->OnTimer(timerId);
    return true;
}

unsigned FakeTimers::RunningIdFor(unsigned requestedId) const {
    for (const auto& [timerId, timer] : m_running)
        if (timer.requestedId == requestedId)
            return timerId;
    return 0;
}
