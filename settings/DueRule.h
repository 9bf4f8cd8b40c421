#pragma once

#include "platform/ClockService.h"

// How often the server is asked for a new menu. The code is also the index of
// the chosen button in the preferences dialog's interval group; any other value
// means never.
namespace QueryInterval {
constexpr int kNever = 0;
constexpr int kDaily = 1;
constexpr int kWeekly = 2;
constexpr int kMonthly = 3;
} // namespace QueryInterval

// Whether a scheduled check is due at timeNow, for a server last queried at
// timeLastQuery. Only local calendar dates are compared, never the time of day:
// a daily check that ran at any time on one day is due from local midnight.
bool IsQueryDue(int nQueryInterval, TimeValue timeLastQuery, TimeValue timeNow);
