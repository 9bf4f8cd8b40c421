#include "tests/fake/FakeClock.h"

#include <cstdlib>
#include <ctime>
#include <stdexcept>

namespace {

bool Convertible(TimeValue time) {
    return time >= 0 && time <= FakeClock::kLatest;
}

} // namespace

FakeClock::FakeClock() {
    if (const char* zone = std::getenv("TZ")) {
        m_hadZone = true;
        m_previousZone = zone;
    }
    SetTimeZone("UTC0");
}

FakeClock::~FakeClock() {
    if (m_hadZone)
        setenv("TZ", m_previousZone.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

void FakeClock::SetTimeZone(const std::string& posixZone) {
    setenv("TZ", posixZone.c_str(), 1);
    tzset();
}

bool FakeClock::ToLocalTime(TimeValue time, std::tm& local) {
    const std::time_t moment = static_cast<std::time_t>(time);
    return Convertible(time) && localtime_r(&moment, &local) != nullptr;
}

bool FakeClock::FromLocalTime(std::tm local, TimeValue& time) {
    const TimeValue moment = std::mktime(&local);
    if (!Convertible(moment))
        return false;
    time = moment;
    return true;
}

TimeValue FakeClock::Local(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    TimeValue moment = 0;
    if (!FromLocalTime(local, moment))
        throw std::invalid_argument("FakeClock::Local: not a representable local time");
    return moment;
}
