#include "tests/unit/SettingsTestFixture.h"

#include <string>

namespace {

struct QueryTextCase {
    const char* zone;
    TimeValue lastQuery;
    const char* text;
};

const QueryTextCase kQueryTextCases[] = {
    {"UTC0", 1033394700, "9/30/02 14:05:00"},
    {"UTC0", 1041757623, "1/5/03 9:07:03"},
    {"UTC0", 1015804740, "3/10/02 23:59:00"},
    {"UTC0", 946598400, "12/31/99 0:00:00"},
    {"UTC0", 946684800, "1/1/00 0:00:00"},
    {"UTC0", 2147483648, "1/19/38 3:14:08"},
    {"UTC0", 4294967295, "2/7/06 6:28:15"},
    // The same moment, 2002-09-30 14:05:00 UTC, in local time elsewhere.
    {"IST-5:30", 1033394700, "9/30/02 19:35:00"},
    {"EST5EDT,M3.2.0,M11.1.0", 1033394700, "9/30/02 10:05:00"},
    {"EST5EDT,M3.2.0,M11.1.0", 1039097100, "12/5/02 9:05:00"},
    // Moments the C library cannot place in local time.
    {"UTC0", -1, ""},
    {"UTC0", FakeClock::kLatest + 1, ""},
};

class LastQueryTextTest : public SettingsTest, public testing::WithParamInterface<QueryTextCase> {};

TEST_P(LastQueryTextTest, ShowsLocalTimeInShortPicture) {
    fake.clock.SetTimeZone(GetParam().zone);
    g_settings.m_timeLastQuery = GetParam().lastQuery;
    EXPECT_EQ(GetParam().text, g_settings.GetLastQueryText());
    EXPECT_EQ(0u, RegistryCalls());
}

INSTANTIATE_TEST_SUITE_P(Times, LastQueryTextTest, testing::ValuesIn(kQueryTextCases));

TEST_F(SettingsTest, LastQueryTextOfAStoredTimePast2038) {
    fake.registry.SettingsKey().SetDword("LastQuery", 0xF0000000);
    g_settings.Load();
    EXPECT_EQ("8/5/97 9:04:00", g_settings.GetLastQueryText());
}

} // namespace
