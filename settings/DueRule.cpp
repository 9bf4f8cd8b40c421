#include "settings/DueRule.h"

#include "platform/Services.h"

#include <tuple>

namespace {

constexpr TimeValue kSecondsPerDay = 86400;

// The same day of month and time of day one month later. A day the next month
// lacks rolls over into the month after (31 January gives 3 March), and the
// library decides daylight saving for the new date.
bool SameTimeNextMonth(std::tm local, TimeValue& moment) {
    if (local.tm_mon == 11) {
        local.tm_mon = 0;
        ++local.tm_year;
    } else {
        ++local.tm_mon;
    }
    local.tm_isdst = -1;
    return Use<ClockService>().FromLocalTime(local, moment);
}

std::tuple<int, int, int> DateOf(const std::tm& local) {
    return {local.tm_year, local.tm_mon, local.tm_mday};
}

} // namespace

bool IsQueryDue(int nQueryInterval, TimeValue timeLastQuery, TimeValue timeNow) {
    if (nQueryInterval != QueryInterval::kDaily && nQueryInterval != QueryInterval::kWeekly &&
        nQueryInterval != QueryInterval::kMonthly)
        return false;

    // Whenever a moment cannot be placed in local time the check is due: the
    // next query that the server answers stores a usable time again.
    ClockService& clock = Use<ClockService>();
    std::tm lastLocal{};
    if (!clock.ToLocalTime(timeLastQuery, lastLocal))
        return true;
    TimeValue timeDue = 0;
    switch (nQueryInterval) {
    case QueryInterval::kDaily:
        timeDue = timeLastQuery + kSecondsPerDay;
        break;
    case QueryInterval::kWeekly:
        timeDue = timeLastQuery + 7 * kSecondsPerDay;
        break;
    default:
        if (!SameTimeNextMonth(lastLocal, timeDue))
            return true;
        break;
    }
    std::tm nowLocal{};
    std::tm dueLocal{};
    if (!clock.ToLocalTime(timeNow, nowLocal) || !clock.ToLocalTime(timeDue, dueLocal))
        return true;
    return DateOf(nowLocal) >= DateOf(dueLocal);
}
