// The stored settings and menu, the scheduling rule and the preferences dialog.
#include "settings/PreferencesDlg.h"
#include "tests/fake/MenuTreeEquality.h"
#include "tests/unit/AppFixture.h"

#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr RegistryType kDword = RegistryType::Dword;

std::map<std::string, TimeValue> Settings() {
    return {{"PromptBeforeCheck", g_settings.m_bPromptBeforeCheck},
            {"PromptBeforeConnect", g_settings.m_bPromptBeforeConnect},
            {"OpenNewBrowserWindow", g_settings.m_bOpenNewBrowserWindow},
            {"QueryInterval", g_settings.m_nQueryInterval},
            {"LastQuery", g_settings.m_timeLastQuery}};
}

// The user pressing OK on the first-run preferences, with the monthly
// interval chosen or the defaults kept.
FakeDialogs::Script FirstRunUser(bool chooseMonthly) {
    return [chooseMonthly](FakeDialog& dialog) {
        EXPECT_FALSE(dialog.controls.at(DialogHandler::kCancel).visible) << "not first-run mode";
        dialog.PressEscape();
        EXPECT_TRUE(dialog.open) << "the first run cannot be left without OK";
        dialog.SetChecked(IDC_WEEKLY, !chooseMonthly);
        dialog.SetChecked(IDC_MONTHLY, chooseMonthly);
        dialog.Press(DialogHandler::kOk);
    };
}

TEST_F(AppTest, WithoutSettingsTheFirstRunStoresOnlyWhatTheUserChanged) {
    for (bool chooseMonthly : {false, true}) {
        fake.dialogs.scripts.emplace(IDD_PREFERENCES, FirstRunUser(chooseMonthly));
        g_settings.Load();
        EXPECT_EQ(chooseMonthly ? 1u : 0u, fake.registry.Settings().size());
        EXPECT_EQ(chooseMonthly ? QueryInterval::kMonthly : QueryInterval::kWeekly,
                  g_settings.m_nQueryInterval);
        EXPECT_EQ(nullptr, g_pMenuData) << "no stored menu read";
        EXPECT_EQ(0u, fake.registry.openKeys);
        fake.registry.keys.clear();
    }
}

// One stored value in an otherwise empty key; the others keep their defaults.
struct StoredValue {
    const char* name;
    Bytes bytes;
    TimeValue read;
};

const StoredValue kStoredValues[] = {
    {"PromptBeforeCheck", {0, 0, 0, 0}, 0},
    {"PromptBeforeConnect", {0, 0, 0, 0}, 0},
    {"OpenNewBrowserWindow", {0, 0, 0, 1}, 1},
    {"QueryInterval", {3, 0, 0, 0}, 3},
    {"QueryInterval", {0xFF, 0xFF, 0xFF, 0xFF}, -1},
    {"QueryInterval", {3, 0, 0, 0, 0, 0, 0, 0}, 2}, // too long to be read
    {"LastQuery", {0x80, 0x1B, 0x98, 0x3D}, 1033378688},
    {"LastQuery", {0, 0, 0, 0x80}, 2147483648}, // unsigned: past 2038
};

TEST_F(AppTest, LoadReadsEachStoredValue) {
    for (const StoredValue& row : kStoredValues) {
        g_settings.RestoreDefaults(kStart);
        std::map<std::string, TimeValue> expected = Settings();
        expected[row.name] = row.read;
        fake.registry.keys.clear();
        fake.registry.Settings()[row.name] = {kDword, row.bytes};
        g_settings.Load();
        EXPECT_EQ(expected, Settings()) << row.name << " " << row.read;
        EXPECT_EQ(0, fake.registry.writes);
        EXPECT_TRUE(fake.dialogs.runs.empty());
    }
}

// A stored menu the reader rejects counts as none; the settings still count.
TEST_F(AppTest, AnUnusableStoredMenuGivesAnEmptyTree) {
    const std::unique_ptr<CMenuData> example(Parsed(MenuText(37, "News\tn.htm\n-\n")));
    const Bytes archive = WriteMenuArchive(*example);
    const std::pair<RegistryType, Bytes> stored[] = {
        {RegistryType::String, archive},
        {RegistryType::Binary, {}},
        {RegistryType::Binary, Bytes(archive.begin(), archive.end() - 1)},
        {RegistryType::Binary, {'P', 'K', 3, 4, 20, 0, 0, 0, 8, 0}},
    };
    for (const auto& value : stored) {
        fake.registry.Settings()["MenuData"] = value;
        fake.registry.Settings()["QueryInterval"] = {kDword, {1, 0, 0, 0}};
        g_settings.Load();
        ASSERT_NE(nullptr, g_pMenuData);
        EXPECT_EQ(0, g_pMenuData->m_wMenuNumber);
        EXPECT_TRUE(g_pMenuData->m_rootPopUp.m_arrChildren.empty());
        EXPECT_EQ(QueryInterval::kDaily, g_settings.m_nQueryInterval);
        EXPECT_EQ(0u, fake.registry.openKeys);
    }
    fake.registry.Settings()["MenuData"] = {RegistryType::Binary, archive};
    g_settings.Load();
    EXPECT_EQ("", DescribeTreeDifference(*example, *g_pMenuData));
}

TEST_F(AppTest, ASavedMenuReplacesTheStoredOneUnlessThereIsNoKey) {
    g_pMenuData = Parsed(MenuText(37, "News\tn.htm\nBEGIN &More\nA\ta.htm\nEND\n"));
    fake.registry.createFails = true;
    g_settings.SaveMenu();
    EXPECT_FALSE(fake.registry.HasSettings());
    fake.registry.createFails = false;
    fake.registry.Settings()["MenuData"] = {RegistryType::Binary, {1, 2, 3}};
    g_settings.SaveMenu();
    EXPECT_EQ(WriteMenuArchive(*g_pMenuData), fake.registry.Settings()["MenuData"].second);
    EXPECT_EQ(0u, fake.registry.openKeys);
    EXPECT_TRUE(fake.messages.shown.empty());
}

// Each setter against the defaults: the same value writes nothing, a new one
// is stored at once, and lives on in memory when it cannot be stored.
struct Setter {
    void (*set)(bool changed);
    const char* name;
    std::uint32_t stored;
};

const Setter kSetters[] = {
    {[](bool changed) { g_settings.SetPromptBeforeCheck(!changed); }, "PromptBeforeCheck", 0},
    {[](bool changed) { g_settings.SetPromptBeforeConnect(!changed); }, "PromptBeforeConnect", 0},
    {[](bool changed) { g_settings.SetOpenNewBrowserWindow(changed); }, "OpenNewBrowserWindow", 1},
    {[](bool changed) { g_settings.SetQueryInterval(changed ? 3 : 2); }, "QueryInterval", 3},
    {[](bool changed) { g_settings.SetQueryInterval(changed ? -1 : 2); }, "QueryInterval", ~0u},
};

TEST_F(AppTest, SettersStoreWhatChanged) {
    for (const Setter& row : kSetters) {
        fake.registry.keys.clear();
        fake.registry.createFails = false;
        g_settings.RestoreDefaults(kStart);
        const auto defaults = Settings();
        row.set(false);
        EXPECT_FALSE(fake.registry.HasSettings()) << row.name;
        row.set(true);
        EXPECT_EQ(row.stored, fake.registry.Settings().Dword(row.name)) << row.name;
        EXPECT_EQ(1u, fake.registry.Settings().size());
        EXPECT_EQ(0u, fake.registry.openKeys);
        fake.registry.keys.clear();
        fake.registry.createFails = true;
        row.set(false);
        EXPECT_EQ(defaults, Settings()) << row.name;
    }
}

// The last query is stored as the low 32 bits, read back unsigned.
TEST_F(AppTest, TheLastQueryTimeSurvivesARestart) {
    const std::pair<TimeValue, TimeValue> times[] = {{1041415200, 1041415200},
                                                     {2147483648, 2147483648},
                                                     {4294967295, 4294967295},
                                                     {4294967301, 5}};
    for (const auto& [now, readBack] : times) {
        fake.clock.now = now;
        g_settings.RecordQueryTime();
        g_settings.RestoreDefaults(kStart);
        g_settings.Load();
        EXPECT_EQ(readBack, g_settings.m_timeLastQuery);
    }
    g_settings.RecordQueryTime();
    EXPECT_EQ(5, fake.registry.writes) << "stored even when the time is the same";
}

TEST_F(AppTest, TheLastQueryTextIsLocalTimeInTheShortPicture) {
    const std::tuple<const char*, TimeValue, const char*> cases[] = {
        {"UTC0", 1041757623, "1/5/03 9:07:03"},
        {"UTC0", 946598400, "12/31/99 0:00:00"},
        {"UTC0", 4294967295, "2/7/06 6:28:15"},
        {"IST-5:30", 1033394700, "9/30/02 19:35:00"},
        {"EST5EDT,M3.2.0,M11.1.0", 1039097100, "12/5/02 9:05:00"},
        {"UTC0", -1, ""},
        {"UTC0", FakeClock::kLatest + 1, ""},
    };
    for (const auto& [zone, time, text] : cases) {
        fake.clock.SetTimeZone(zone);
        g_settings.m_timeLastQuery = time;
        EXPECT_EQ(text, g_settings.GetLastQueryText()) << time;
    }
}

// Due by local date only. "*" marks cases for the zone with daylight saving
// only (10 March and 3 November 2002 are its change days); "@" a moment in
// seconds, for those the library cannot place in local time.
struct DueCase {
    int interval;
    const char* lastQuery;
    const char* now;
    bool due;
};

constexpr int kDaily = QueryInterval::kDaily, kWeekly = QueryInterval::kWeekly;
constexpr int kMonthly = QueryInterval::kMonthly;

const DueCase kDueCases[] = {
    {kDaily, "2002-03-10 23:59:00", "2002-03-10 23:59:59", false},
    {kDaily, "2002-03-10 23:59:00", "2002-03-11 00:00:00", true},
    {kDaily, "2002-12-31 12:00:00", "2003-01-01 00:00:00", true},
    {kWeekly, "2002-12-28 10:00:00", "2003-01-03 23:59:59", false},
    {kWeekly, "2002-12-28 10:00:00", "2003-01-04 00:00:00", true},
    {kMonthly, "2002-12-15 08:00:00", "2003-01-14 23:59:59", false},
    {kMonthly, "2002-12-15 08:00:00", "2003-01-15 00:00:00", true},
    {kMonthly, "2002-01-31 09:00:00", "2002-03-02 23:59:59", false}, // 31 February is 3 March
    {kMonthly, "2002-01-31 09:00:00", "2002-03-03 00:00:00", true},
    {kMonthly, "2002-11-30 09:00:00", "2002-12-30 00:00:00", true},
    {kDaily, "2002-03-10 12:00:00", "2002-03-05 12:00:00", false}, // the clock set back
    {kWeekly, "2106-02-07 10:00:00", "2106-02-14 00:00:00", true},
    {QueryInterval::kNever, "2002-03-10 23:59:00", "2010-01-01 00:00:00", false},
    {4, "2002-03-10 23:59:00", "2010-01-01 00:00:00", false},
    {-1, "2002-03-10 23:59:00", "2010-01-01 00:00:00", false},
    {kWeekly, "*2002-03-09 23:30:00", "2002-03-16 23:45:00", false}, // a week of a short day
    {kWeekly, "*2002-03-09 23:30:00", "2002-03-17 00:00:00", true},
    {kDaily, "*2002-11-03 00:30:00", "2002-11-03 00:45:00", true}, // a day of 25 hours
    {kMonthly, "*2002-02-20 23:30:00", "2002-03-19 23:59:59", false},
    {kMonthly, "*2002-02-20 23:30:00", "2002-03-20 00:00:00", true},
    {kDaily, "@-1", "@1033387200", true},
    {kMonthly, "@-86400", "@1033387200", true},
    {kWeekly, "@32535216000", "@1033387200", true},
    {kDaily, "@32535212399", "@32535212399", true},   // due past the library's range
    {kMonthly, "@32533790400", "@32533790400", true}, // 3000-12-15: the next month is past it
    {QueryInterval::kNever, "@-1", "@1033387200", false},
};

TEST_F(AppTest, AScheduledCheckIsDueByLocalDate) {
    const auto moment = [](const char* text) {
        std::tm t{};
        if (*text == '@')
            return static_cast<TimeValue>(std::atoll(text + 1));
        std::sscanf(text, "%d-%d-%d %d:%d:%d", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour,
                    &t.tm_min, &t.tm_sec);
        t.tm_year -= 1900, --t.tm_mon, t.tm_isdst = -1;
        return static_cast<TimeValue>(std::mktime(&t));
    };
    for (const char* zone : {"EST5EDT,M3.2.0,M11.1.0", "IST-5:30"})
        for (const DueCase& row : kDueCases) {
            const bool savingOnly = *row.lastQuery == '*';
            if (savingOnly && *zone == 'I')
                continue;
            fake.clock.SetTimeZone(zone);
            g_settings.m_nQueryInterval = row.interval;
            g_settings.m_timeLastQuery = moment(row.lastQuery + savingOnly);
            fake.clock.now = moment(row.now);
            EXPECT_EQ(row.due, g_settings.IsCheckDue()) << zone << " " << row.lastQuery;
        }
}

// The preferences show the settings; OK hands every value to the setters.
std::vector<int> Checked(const FakeDialog& dialog) {
    std::vector<int> checked;
    for (int id : {IDC_NEVER, IDC_DAILY, IDC_WEEKLY, IDC_MONTHLY, IDC_EXISTING_WINDOW,
                   IDC_NEW_WINDOW, IDC_PROMPT_CHECK, IDC_PROMPT_CONNECT})
        if (dialog.IsChecked(id))
            checked.push_back(id);
    return checked;
}

struct PreferencesCase {
    int interval;
    bool newWindow, promptCheck, promptConnect;
    std::vector<int> shown;
    std::vector<int> checkedAtOk;
    std::vector<std::uint32_t> stored; // interval, new window, check, connect; 9 unchanged
};

const PreferencesCase kPreferencesCases[] = {
    {0,
     false,
     true,
     true,
     {IDC_NEVER, IDC_EXISTING_WINDOW, IDC_PROMPT_CHECK, IDC_PROMPT_CONNECT},
     {IDC_MONTHLY, IDC_NEW_WINDOW},
     {3, 1, 0, 0}},
    {1,
     false,
     false,
     false,
     {IDC_DAILY, IDC_EXISTING_WINDOW},
     {IDC_DAILY, IDC_EXISTING_WINDOW},
     {9, 9, 9, 9}},
    {2,
     true,
     false,
     true,
     {IDC_WEEKLY, IDC_NEW_WINDOW, IDC_PROMPT_CONNECT},
     {IDC_NEVER, IDC_PROMPT_CHECK},
     {0, 0, 1, 0}},
    {3,
     true,
     true,
     false,
     {IDC_MONTHLY, IDC_NEW_WINDOW, IDC_PROMPT_CHECK},
     {IDC_NEW_WINDOW, IDC_PROMPT_CONNECT},
     {~0u, 9, 0, 1}},
    {7,
     false,
     true,
     false,
     {IDC_EXISTING_WINDOW, IDC_PROMPT_CHECK},
     {IDC_DAILY, IDC_EXISTING_WINDOW, IDC_PROMPT_CHECK},
     {1, 9, 9, 9}},
};

TEST_F(AppTest, PreferencesShowTheSettingsAndOkStoresTheChanges) {
    const char* names[] = {"QueryInterval", "OpenNewBrowserWindow", "PromptBeforeCheck",
                           "PromptBeforeConnect"};
    for (const PreferencesCase& row : kPreferencesCases) {
        fake.registry.keys.clear();
        g_settings.m_nQueryInterval = row.interval;
        g_settings.m_bOpenNewBrowserWindow = row.newWindow;
        g_settings.m_bPromptBeforeCheck = row.promptCheck;
        g_settings.m_bPromptBeforeConnect = row.promptConnect;
        fake.dialogs.scripts.emplace(IDD_PREFERENCES, [&row](FakeDialog& dialog) {
            EXPECT_EQ(row.shown, Checked(dialog));
            for (int id : row.shown)
                dialog.SetChecked(id, false);
            for (int id : row.checkedAtOk)
                dialog.SetChecked(id, true);
            dialog.Press(DialogHandler::kOk);
        });
        EXPECT_TRUE(g_settings.EditPreferences(false));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(row.stored[i] == 9 ? std::nullopt : std::optional(row.stored[i]),
                      fake.registry.Settings().Dword(names[i]))
                << row.interval << " " << names[i];
    }
}

TEST_F(AppTest, CancelOrEscapeStoresNothingAfterChanges) {
    for (bool escape : {false, true}) {
        fake.dialogs.scripts.emplace(IDD_PREFERENCES, [escape](FakeDialog& dialog) {
            for (int id : {IDC_MONTHLY, IDC_NEW_WINDOW})
                dialog.SetChecked(id, true);
            for (int id : {IDC_WEEKLY, IDC_EXISTING_WINDOW, IDC_PROMPT_CHECK, IDC_PROMPT_CONNECT})
                dialog.SetChecked(id, false);
            escape ? dialog.PressEscape() : dialog.Press(DialogHandler::kCancel);
        });
        EXPECT_FALSE(g_settings.EditPreferences(false));
        EXPECT_FALSE(fake.registry.HasSettings());
    }
    EXPECT_FALSE(g_settings.EditPreferences(false)) << "the dialog could not be shown";
}

} // namespace
