// The stored settings and menu, the scheduling rule and the preferences dialog
// (its first-run mode is part of the first start).
#include "tests/unit/AppFixture.h"

#include <cstdlib>
#include <ctime>

namespace {

// The first download of a first run saves its menu before any setting exists.
TEST_F(AppTest, ASavedMenuMakesTheKeyUnlessThatFails) {
    g_pMenuData = new CMenuData;
    ASSERT_EQ(0, ParseExactly(*g_pMenuData, 0, MenuText("37", "N\tn\nBEGIN M\nA\ta\nEND\n")));
    fake.registry.createFails = true, g_settings.SaveMenu();
    fake.registry.createFails = false, g_settings.SaveMenu();
    EXPECT_EQ(WriteMenuArchive(*g_pMenuData), fake.registry.Settings()["MenuData"].second);
    EXPECT_EQ(0, fake.registry.openKeys);
    // Only binary data can be a stored menu.
    fake.registry.Settings()["MenuData"].first = RegistryType::String, g_settings.Load();
    EXPECT_TRUE(g_pMenuData->m_rootPopUp.m_arrChildren.empty());
}

// The settings survive a restart; the last query is stored as the low 32
// bits, read back unsigned, and shown in local time.
TEST_F(AppTest, TheSettingsSurviveARestartAndTheLastQueryShowsInLocalTime) {
    const std::tuple<const char*, TimeValue, TimeValue, const char*> times[] = {
        {"UTC0", 3000000000, 3000000000, "1/24/65 5:20:00"},
        {"IST-5:30", 4294967301, 5, "1/1/70 5:30:05"},
    };
    for (const auto& [zone, now, readBack, text] : times) {
        fake.clock.SetTimeZone(zone), fake.clock.now = now;
        g_settings.RecordQueryTime(), g_settings.RestoreDefaults(kStart), g_settings.Load();
        EXPECT_EQ(readBack, g_settings.m_timeLastQuery);
        EXPECT_EQ(text, g_settings.GetLastQueryText());
    }
    g_settings.SetPromptBeforeCheck(false), g_settings.SetPromptBeforeConnect(false);
    g_settings.SetOpenNewBrowserWindow(true), g_settings.SetQueryInterval(-1);
    EXPECT_EQ(0, fake.registry.openKeys) << "each setting closes the key";
    g_settings.RestoreDefaults(kStart), g_settings.Load();
    EXPECT_EQ(std::make_tuple(false, false, true, -1),
              std::make_tuple(g_settings.m_bPromptBeforeCheck, g_settings.m_bPromptBeforeConnect,
                              g_settings.m_bOpenNewBrowserWindow, g_settings.m_nQueryInterval));
    EXPECT_EQ(0, fake.registry.openKeys);
}

// Due by local date only, in a zone with daylight saving (10 March 2002 is a
// change day); "@" a moment in seconds, for those the library cannot place in
// local time.
const std::tuple<int, const char*, const char*, bool> kDueCases[] = {
    {QueryInterval::kDaily, "2002-03-10 23:59:00", "2002-03-10 23:59:59", false},
    {QueryInterval::kDaily, "2002-03-10 23:59:59", "2002-03-11 00:00:00", true},
    {QueryInterval::kWeekly, "2002-12-28 10:00:00", "2003-01-04 00:00:00", true},
    {QueryInterval::kMonthly, "2002-12-15 08:00:00", "2003-01-15 00:00:00", true},
    {QueryInterval::kMonthly, "2002-01-31 09:00:00", "2002-03-02 23:59:59", false}, // to 3 March
    {QueryInterval::kMonthly, "2002-01-31 09:00:00", "2002-03-03 00:00:00", true},
    {QueryInterval::kNever, "2002-03-10 23:59:00", "2010-01-01 00:00:00", false},
    {QueryInterval::kDaily, "@-1", "@1033387200", true},
    {QueryInterval::kDaily, "@32535212399", "@32535212399", true},   // due past the range
    {QueryInterval::kMonthly, "@32533790400", "@32533790400", true}, // next month past it
};

TEST_F(AppTest, AScheduledCheckIsDueByLocalDate) {
    const auto moment = [](const char* text) {
        std::tm t{};
        if (*text == '@')
            return static_cast<TimeValue>(std::atoll(text + 1));
        strptime(text, "%Y-%m-%d %H:%M:%S", &t), t.tm_isdst = -1;
        return static_cast<TimeValue>(std::mktime(&t));
    };
    fake.clock.SetTimeZone("EST5EDT,M3.2.0,M11.1.0");
    for (const auto& [interval, lastQuery, now, due] : kDueCases) {
        g_settings.m_nQueryInterval = interval, g_settings.m_timeLastQuery = moment(lastQuery);
        fake.clock.now = moment(now);
        EXPECT_EQ(due, g_settings.IsCheckDue()) << lastQuery;
    }
}

// The preferences' controls by letter, at their identifier less IDC_CONNECTING:
// Daily, Weekly, Monthly, Connect prompt, neVer, Query prompt, Existing or New window.
const std::string kControlLetters = ".....DWM.C..V..Q.EN";

// The settings shown (checked controls in identifier order), the controls
// checked at OK, and the values then stored: interval, new window, check
// prompt, connect prompt; 9 for none.
const std::tuple<int, bool, bool, bool, const char*, const char*, std::vector<unsigned>>
    kPreferences[] = {
        {0, false, true, true, "CVQE", "MN", {3, 1, 0, 0}},
        {7, true, true, false, "QN", "NC", {~0u, 9, 0, 1}},
        {3, false, false, true, "MCE", "VE", {0, 9, 9, 0}},
};

TEST_F(AppTest, PreferencesShowTheSettingsAndOkStoresTheChanges) {
    const char* names[] = {"QueryInterval", "OpenNewBrowserWindow", "PromptBeforeCheck",
                           "PromptBeforeConnect"};
    for (const auto& [interval, newWindow, check, connect, shown, atOk, stored] : kPreferences) {
        fake.registry.keys.clear();
        g_settings.m_nQueryInterval = interval, g_settings.m_bOpenNewBrowserWindow = newWindow;
        g_settings.m_bPromptBeforeCheck = check, g_settings.m_bPromptBeforeConnect = connect;
        fake.dialogs.scripts.emplace(IDD_PREFERENCES, [&](FakeDialog& dialog) {
            std::string checked;
            for (int id = IDC_CONNECTING; id <= IDC_NEW_WINDOW; ++id)
                if (dialog.IsChecked(id))
                    checked += kControlLetters[id - IDC_CONNECTING], dialog.SetChecked(id, false);
            EXPECT_EQ(shown, checked);
            for (const char* letter = atOk; *letter != '\0'; ++letter)
                dialog.SetChecked(IDC_CONNECTING + kControlLetters.find(*letter), true);
            dialog.Press(DialogHandler::kOk);
        });
        EXPECT_TRUE(g_settings.EditPreferences(false));
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(stored[i] == 9 ? std::nullopt : std::optional(stored[i]),
                      fake.registry.Settings().Dword(names[i]))
                << interval << " " << names[i];
    }
}

} // namespace
