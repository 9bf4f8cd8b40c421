#include "settings/DueRule.h"
#include "tests/unit/SettingsTestFixture.h"

#include <cstdio>
#include <string>
#include <tuple>

namespace {

// Zones the rule must give the same answers in: a fixed offset that is not a
// whole hour, and one with daylight saving (second Sunday of March to first
// Sunday of November, so 10 March and 3 November 2002 are change days).
const char kFixedZone[] = "IST-5:30";
const char kSavingZone[] = "EST5EDT,M3.2.0,M11.1.0";

struct DueCase {
    int interval;
    const char* lastQuery; // local "YYYY-MM-DD HH:MM:SS"
    const char* now;
    bool due;
};

constexpr int kNever = QueryInterval::kNever;
constexpr int kDaily = QueryInterval::kDaily;
constexpr int kWeekly = QueryInterval::kWeekly;
constexpr int kMonthly = QueryInterval::kMonthly;

const DueCase kDueCases[] = {
    // Daily: due from local midnight after the day of the last query.
    {kDaily, "2002-03-10 23:59:00", "2002-03-10 23:59:59", false},
    {kDaily, "2002-03-10 23:59:00", "2002-03-11 00:00:00", true},
    {kDaily, "2002-03-10 23:59:00", "2002-03-11 23:58:00", true},
    {kDaily, "2002-03-10 23:59:00", "2003-06-01 12:00:00", true},
    {kDaily, "2002-12-31 12:00:00", "2002-12-31 23:59:59", false},
    {kDaily, "2002-12-31 12:00:00", "2003-01-01 00:00:00", true},
    // Weekly: seven days on, across the turn of the year.
    {kWeekly, "2002-12-28 10:00:00", "2003-01-03 23:59:59", false},
    {kWeekly, "2002-12-28 10:00:00", "2003-01-04 00:00:00", true},
    {kWeekly, "2002-12-28 10:00:00", "2003-02-02 08:00:00", true},
    {kWeekly, "2002-12-24 10:00:00", "2002-12-30 23:00:00", false},
    {kWeekly, "2002-12-24 10:00:00", "2003-01-01 00:00:00", true},
    // Monthly: the same day next month; a day the month lacks rolls over.
    {kMonthly, "2002-12-15 08:00:00", "2003-01-14 23:59:59", false},
    {kMonthly, "2002-12-15 08:00:00", "2003-01-15 00:00:00", true},
    {kMonthly, "2002-12-15 08:00:00", "2003-02-01 00:00:00", true},
    {kMonthly, "2002-01-31 09:00:00", "2002-03-02 23:59:59", false},
    {kMonthly, "2002-01-31 09:00:00", "2002-03-03 00:00:00", true},
    {kMonthly, "2004-01-31 09:00:00", "2004-03-01 23:59:59", false},
    {kMonthly, "2004-01-31 09:00:00", "2004-03-02 00:00:00", true},
    {kMonthly, "2002-11-30 09:00:00", "2002-12-29 23:00:00", false},
    {kMonthly, "2002-11-30 09:00:00", "2002-12-30 00:00:00", true},
    // The clock set back before the last query: not due until the local
    // date reaches the due date again.
    {kDaily, "2002-03-10 12:00:00", "2002-03-05 12:00:00", false},
    {kWeekly, "2002-12-28 10:00:00", "2001-12-30 10:00:00", false},
    {kMonthly, "2002-12-15 08:00:00", "2002-12-20 08:00:00", false},
    // Times past 2038 and past the 32-bit unsigned range.
    {kDaily, "2040-05-01 10:00:00", "2040-05-01 23:00:00", false},
    {kDaily, "2040-05-01 10:00:00", "2040-05-02 00:00:00", true},
    {kWeekly, "2106-02-07 10:00:00", "2106-02-14 00:00:00", true},
    {kMonthly, "2107-12-15 10:00:00", "2108-01-14 10:00:00", false},
    // Never, and codes that mean never, however long ago the last query.
    {kNever, "2002-03-10 23:59:00", "2010-01-01 00:00:00", false},
    {4, "2002-03-10 23:59:00", "2010-01-01 00:00:00", false},
    {7, "2002-03-10 23:59:00", "2010-01-01 00:00:00", false},
    {-1, "2002-03-10 23:59:00", "2010-01-01 00:00:00", false},
};

class LocalTimeTest : public SettingsTest {
protected:
    TimeValue LocalMoment(const char* text) {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
        EXPECT_EQ(6, std::sscanf(text, "%d-%d-%d %d:%d:%d", &year, &month, &day, &hour, &minute,
                                 &second));
        return fake.clock.Local(year, month, day, hour, minute, second);
    }
};

class DueRuleTest : public LocalTimeTest,
                    public testing::WithParamInterface<std::tuple<DueCase, const char*>> {};

TEST_P(DueRuleTest, AnswersByLocalDate) {
    const DueCase& row = std::get<0>(GetParam());
    fake.clock.SetTimeZone(std::get<1>(GetParam()));
    g_settings.m_nQueryInterval = row.interval;
    g_settings.m_timeLastQuery = LocalMoment(row.lastQuery);
    fake.clock.now = LocalMoment(row.now);

    EXPECT_EQ(row.due, g_settings.IsCheckDue())
        << "interval " << row.interval << ", last query " << row.lastQuery << ", now " << row.now;
    EXPECT_EQ(0u, RegistryCalls());
}

INSTANTIATE_TEST_SUITE_P(BothZones, DueRuleTest,
                         testing::Combine(testing::ValuesIn(kDueCases),
                                          testing::Values(kFixedZone, kSavingZone)));

// Daily and weekly add whole days of seconds, so a day of 23 or 25 hours moves
// the due date; the monthly rule goes by the calendar.
class DaylightSavingTest : public LocalTimeTest {
protected:
    void SetUp() override { fake.clock.SetTimeZone(kSavingZone); }

    bool DueAt(int interval, const char* lastQuery, const char* now) {
        g_settings.m_nQueryInterval = interval;
        g_settings.m_timeLastQuery = LocalMoment(lastQuery);
        fake.clock.now = LocalMoment(now);
        return g_settings.IsCheckDue();
    }
};

TEST_F(DaylightSavingTest, WeekWithShortDayEndsAnHourLater) {
    // 2002-03-09 23:30 EST plus seven days is 2002-03-17 00:30 EDT.
    EXPECT_FALSE(DueAt(kWeekly, "2002-03-09 23:30:00", "2002-03-16 23:45:00"));
    EXPECT_TRUE(DueAt(kWeekly, "2002-03-09 23:30:00", "2002-03-17 00:00:00"));
}

TEST_F(DaylightSavingTest, DayOfTwentyFiveHoursIsDueAgainTheSameDay) {
    // 2002-11-02 00:30 EDT plus 86,400 seconds is 2002-11-03 00:30 EDT ...
    EXPECT_FALSE(DueAt(kDaily, "2002-11-02 00:30:00", "2002-11-02 23:59:59"));
    // ... but 2002-11-03 00:30 EDT plus 86,400 seconds is 2002-11-03 23:30 EST.
    EXPECT_TRUE(DueAt(kDaily, "2002-11-03 00:30:00", "2002-11-03 00:45:00"));
}

TEST_F(DaylightSavingTest, MonthlyKeepsTheLocalTimeOfDayAcrossTheChange) {
    // 23:30 standard time on 20 February is due at 23:30 summer time on
    // 20 March, not an hour later on the 21st.
    EXPECT_FALSE(DueAt(kMonthly, "2002-02-20 23:30:00", "2002-03-19 23:59:59"));
    EXPECT_TRUE(DueAt(kMonthly, "2002-02-20 23:30:00", "2002-03-20 00:00:00"));
}

TEST_F(DaylightSavingTest, MonthlyMomentInTheSkippedHourStaysOnItsDay) {
    // 02:30 on 10 March 2002 does not exist there; the library moves it
    // within the day.
    EXPECT_FALSE(DueAt(kMonthly, "2002-02-10 02:30:00", "2002-03-09 23:59:59"));
    EXPECT_TRUE(DueAt(kMonthly, "2002-02-10 02:30:00", "2002-03-10 00:00:00"));
}

// A last query that cannot be placed in local time, or a due moment that
// cannot be represented, makes the check due, so that the next query the
// server answers stores a usable time again.
struct UnplaceableCase {
    const char* title;
    int interval;
    TimeValue lastQuery;
    TimeValue now;
};

const UnplaceableCase kUnplaceableCases[] = {
    {"last query before 1970, daily", kDaily, -1, 1033387200},
    {"last query before 1970, monthly", kMonthly, -86400, 1033387200},
    {"last query past the library's range", kWeekly, FakeClock::kLatest + 1, 1033387200},
    {"daily due moment past the range", kDaily, FakeClock::kLatest - 3600,
     FakeClock::kLatest - 3600},
    // 3000-12-15 12:00 UTC: the month after is past the range.
    {"monthly due moment past the range", kMonthly, 32533790400, 32533790400},
};

class UnplaceableTimeTest : public SettingsTest,
                            public testing::WithParamInterface<UnplaceableCase> {};

TEST_P(UnplaceableTimeTest, CheckIsDue) {
    g_settings.m_nQueryInterval = GetParam().interval;
    g_settings.m_timeLastQuery = GetParam().lastQuery;
    fake.clock.now = GetParam().now;
    EXPECT_TRUE(g_settings.IsCheckDue()) << GetParam().title;
}

TEST_P(UnplaceableTimeTest, NeverStaysNever) {
    g_settings.m_nQueryInterval = kNever;
    g_settings.m_timeLastQuery = GetParam().lastQuery;
    fake.clock.now = GetParam().now;
    EXPECT_FALSE(g_settings.IsCheckDue()) << GetParam().title;
}

INSTANTIATE_TEST_SUITE_P(Times, UnplaceableTimeTest, testing::ValuesIn(kUnplaceableCases));

} // namespace
