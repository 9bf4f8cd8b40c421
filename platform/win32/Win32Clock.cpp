#include "platform/win32/Win32Clock.h"

#include <time.h>

TimeValue Win32Clock::Now() {
    return _time64(nullptr);
}

bool Win32Clock::ToLocalTime(TimeValue time, std::tm& local) {
    const __time64_t moment = time;
    return _localtime64_s(&local, &moment) == 0;
}

bool Win32Clock::FromLocalTime(std::tm local, TimeValue& time) {
    const __time64_t moment = _mktime64(&local);
    if (moment == -1)
        return false;
    time = moment;
    return true;
}
