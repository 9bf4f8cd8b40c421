#pragma once

#include <cstdint>
#include <ctime>

// Seconds since 1970-01-01 00:00:00 UTC, 64 bits wide inside the program.
using TimeValue = std::int64_t;

// The clock and the local time zone.
class ClockService {
public:
    virtual ~ClockService() = default;

    virtual TimeValue Now() = 0;
    // Local broken-down time of a moment; false when it cannot be converted.
    virtual bool ToLocalTime(TimeValue time, std::tm& local) = 0;
    // The moment of a local broken-down time, normalising out-of-range fields
    // as mktime does (tm_isdst -1 lets the library decide daylight saving);
    // false when it cannot be represented.
    virtual bool FromLocalTime(std::tm local, TimeValue& time) = 0;
};
