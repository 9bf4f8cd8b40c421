#pragma once

#include "platform/ClockService.h"

#include <string>

// A clock that stands still until the test moves it, in a time zone the test
// chooses (UTC unless told otherwise). Local times come from the C library
// under the chosen zone, given as a POSIX TZ string such as "IST-5:30" (a fixed
// offset) or "EST5EDT,M3.2.0,M11.1.0" (with daylight saving). Like the Windows
// C library, it converts only moments from 1970 to the end of the year 3000
// (UTC). Only one FakeClock may exist at a time: the zone is the process's.
class FakeClock : public ClockService {
public:
    // The latest moment the Windows C library converts: 3000-12-31 23:59:59 UTC.
    static constexpr TimeValue kLatest = 32535215999;

    FakeClock();
    ~FakeClock() override;
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;

    TimeValue Now() override { return now; }
    bool ToLocalTime(TimeValue time, std::tm& local) override;
    bool FromLocalTime(std::tm local, TimeValue& time) override;

    void SetTimeZone(const std::string& posixZone);
    // The moment of a local date and time in the current zone (month 1 to 12),
    // daylight saving decided by the zone's rules.
    TimeValue Local(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    void SetLocal(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
        now = Local(year, month, day, hour, minute, second);
    }

    // 2002-09-30 12:00:00 UTC until a test sets another moment.
    TimeValue now = 1033387200;

private:
    bool m_hadZone = false;
    std::string m_previousZone;
};
