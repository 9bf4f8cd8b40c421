#pragma once

#include "platform/ClockService.h"

// The system clock, and local time as the C library of the program works it
// out: from the TZ variable when it is set, otherwise from the system's zone.
// The library places moments from 1970 to the end of the year 3000 only.
class Win32Clock : public ClockService {
public:
    TimeValue Now() override;
    bool ToLocalTime(TimeValue time, std::tm& local) override;
    bool FromLocalTime(std::tm local, TimeValue& time) override;
};
