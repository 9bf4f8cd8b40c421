#include "settings/PreferencesDlg.h"
#include "res/resource.h"
#include "tests/unit/SettingsTestFixture.h"

#include <string>
#include <vector>

namespace {

// The dialog's two-state controls in template order.
const int kStateControls[] = {IDC_NEVER,        IDC_DAILY,           IDC_WEEKLY,
                              IDC_MONTHLY,      IDC_EXISTING_WINDOW, IDC_NEW_WINDOW,
                              IDC_PROMPT_CHECK, IDC_PROMPT_CONNECT};

std::vector<int> CheckedControls(const FakeControlStates& controls) {
    std::vector<int> checked;
    for (int id : kStateControls) {
        auto it = controls.find(id);
        if (it != controls.end() && it->second.checked)
            checked.push_back(id);
    }
    return checked;
}

class PreferencesDlgTest : public SettingsTest {
protected:
    // Runs the dialog in the given mode with user as the user's part.
    int Run(bool bFirstRun, DialogScript user) {
        fake.dialogs.Script(IDD_PREFERENCES, std::move(user));
        CPreferencesDlg dialog(bFirstRun);
        return dialog.DoModal();
    }
    const FakeDialogs::Run& LastRun() const { return fake.dialogs.runs.back(); }
};

struct OpeningCase {
    int interval;
    bool newWindow;
    bool promptCheck;
    bool promptConnect;
    std::vector<int> checked;
};

const OpeningCase kOpeningCases[] = {
    {0, false, true, true, {IDC_NEVER, IDC_EXISTING_WINDOW, IDC_PROMPT_CHECK, IDC_PROMPT_CONNECT}},
    {1, false, false, false, {IDC_DAILY, IDC_EXISTING_WINDOW}},
    {2, true, false, true, {IDC_WEEKLY, IDC_NEW_WINDOW, IDC_PROMPT_CONNECT}},
    {3, true, true, false, {IDC_MONTHLY, IDC_NEW_WINDOW, IDC_PROMPT_CHECK}},
    {7, false, true, false, {IDC_EXISTING_WINDOW, IDC_PROMPT_CHECK}},
    {-1, true, false, false, {IDC_NEW_WINDOW}},
    {4, true, true, true, {IDC_NEW_WINDOW, IDC_PROMPT_CHECK, IDC_PROMPT_CONNECT}},
};

class PreferencesOpeningTest : public PreferencesDlgTest,
                               public testing::WithParamInterface<OpeningCase> {};

TEST_P(PreferencesOpeningTest, ShowsTheCurrentSettings) {
    const OpeningCase& row = GetParam();
    g_settings.m_nQueryInterval = row.interval;
    g_settings.m_bOpenNewBrowserWindow = row.newWindow;
    g_settings.m_bPromptBeforeCheck = row.promptCheck;
    g_settings.m_bPromptBeforeConnect = row.promptConnect;

    // Whatever was checked before the dialog fills its controls is cleared.
    // The Cancel button itself ends it: outside the first run it is there to
    // be pressed, and a hidden or disabled button leaves the dialog open.
    EXPECT_EQ(DialogHandler::kCancel, Run(false, [](FakeDialog& dialog) { dialog.PressCancel(); }));

    EXPECT_EQ(row.checked, CheckedControls(LastRun().afterInit));
}

INSTANTIATE_TEST_SUITE_P(Settings, PreferencesOpeningTest, testing::ValuesIn(kOpeningCases));

TEST_F(PreferencesDlgTest, OkWithoutChangeTouchesNoRegistry) {
    g_settings.m_nQueryInterval = 3;
    g_settings.m_bPromptBeforeCheck = false;
    EXPECT_EQ(DialogHandler::kOk, Run(false, [](FakeDialog& dialog) { dialog.PressOk(); }));
    EXPECT_EQ(0u, RegistryCalls());
    EXPECT_EQ(3, g_settings.m_nQueryInterval);
    EXPECT_FALSE(g_settings.m_bPromptBeforeCheck);
}

TEST_F(PreferencesDlgTest, EnterIsOk) {
    EXPECT_EQ(DialogHandler::kOk, Run(false, [](FakeDialog& dialog) {
                  dialog.Choose(IDC_DAILY);
                  dialog.PressEnter();
              }));
    EXPECT_EQ(QueryInterval::kDaily, g_settings.m_nQueryInterval);
}

TEST_F(PreferencesDlgTest, OkStoresEveryChangeInItsOwnCycleInOrder) {
    Run(false, [](FakeDialog& dialog) {
        dialog.Toggle(IDC_PROMPT_CONNECT);
        dialog.Toggle(IDC_PROMPT_CHECK);
        dialog.Choose(IDC_NEW_WINDOW);
        dialog.Choose(IDC_MONTHLY);
        dialog.PressOk();
    });

    EXPECT_EQ((std::vector<std::string>{"QueryInterval", "OpenNewBrowserWindow",
                                        "PromptBeforeCheck", "PromptBeforeConnect"}),
              fake.registry.written);
    EXPECT_EQ(4u, fake.log.Count("RegCreateKey"));
    EXPECT_EQ(4u, fake.log.Count("RegCloseKey"));
    const FakeRegistryKey& key = fake.registry.SettingsKey();
    EXPECT_EQ(3u, key.Dword("QueryInterval"));
    EXPECT_EQ(1u, key.Dword("OpenNewBrowserWindow"));
    EXPECT_EQ(0u, key.Dword("PromptBeforeCheck"));
    EXPECT_EQ(0u, key.Dword("PromptBeforeConnect"));
    EXPECT_EQ(QueryInterval::kMonthly, g_settings.m_nQueryInterval);
    EXPECT_TRUE(g_settings.m_bOpenNewBrowserWindow);
    EXPECT_FALSE(g_settings.m_bPromptBeforeCheck);
    EXPECT_FALSE(g_settings.m_bPromptBeforeConnect);
}

TEST_F(PreferencesDlgTest, OkStoresOnlyTheChangedValues) {
    g_settings.m_bOpenNewBrowserWindow = true;
    Run(false, [](FakeDialog& dialog) {
        dialog.Toggle(IDC_PROMPT_CONNECT);
        dialog.Choose(IDC_NEVER);
        dialog.PressOk();
    });
    EXPECT_EQ((std::vector<std::string>{"QueryInterval", "PromptBeforeConnect"}),
              fake.registry.written);
    EXPECT_EQ(0u, fake.registry.SettingsKey().Dword("QueryInterval"));
    EXPECT_TRUE(g_settings.m_bOpenNewBrowserWindow);
}

TEST_F(PreferencesDlgTest, ChoosingBackTheStoredValueIsNoChange) {
    Run(false, [](FakeDialog& dialog) {
        dialog.Choose(IDC_DAILY);
        dialog.Choose(IDC_WEEKLY);
        dialog.Toggle(IDC_PROMPT_CHECK);
        dialog.Toggle(IDC_PROMPT_CHECK);
        dialog.PressOk();
    });
    EXPECT_EQ(0u, RegistryCalls());
}

TEST_F(PreferencesDlgTest, OkWithNoIntervalChosenStoresMinusOne) {
    g_settings.m_nQueryInterval = 7;
    Run(false, [](FakeDialog& dialog) { dialog.PressOk(); });
    EXPECT_EQ(-1, g_settings.m_nQueryInterval);
    EXPECT_EQ((std::vector<std::string>{"QueryInterval"}), fake.registry.written);
    EXPECT_EQ(0xFFFFFFFFu, fake.registry.SettingsKey().Dword("QueryInterval"));
}

struct CancelWay {
    const char* title;
    void (*press)(FakeDialog&);
};

const CancelWay kCancelWays[] = {
    {"Cancel button", [](FakeDialog& dialog) { dialog.PressCancel(); }},
    {"Escape", [](FakeDialog& dialog) { dialog.PressEscape(); }},
    {"close box", [](FakeDialog& dialog) { dialog.PressCloseBox(); }},
};

class PreferencesCancelTest : public PreferencesDlgTest,
                              public testing::WithParamInterface<CancelWay> {};

TEST_P(PreferencesCancelTest, StoresNothingAfterChanges) {
    const auto press = GetParam().press;
    EXPECT_EQ(DialogHandler::kCancel, Run(false, [press](FakeDialog& dialog) {
                  dialog.Choose(IDC_MONTHLY);
                  dialog.Choose(IDC_NEW_WINDOW);
                  dialog.Toggle(IDC_PROMPT_CHECK);
                  dialog.Toggle(IDC_PROMPT_CONNECT);
                  press(dialog);
              }));
    EXPECT_EQ(0u, RegistryCalls());
    EXPECT_EQ(QueryInterval::kWeekly, g_settings.m_nQueryInterval);
    EXPECT_FALSE(g_settings.m_bOpenNewBrowserWindow);
    EXPECT_TRUE(g_settings.m_bPromptBeforeCheck);
    EXPECT_TRUE(g_settings.m_bPromptBeforeConnect);
}

TEST_P(PreferencesCancelTest, CannotLeaveTheFirstRunDialog) {
    const auto press = GetParam().press;
    bool stillOpen = false;
    EXPECT_EQ(DialogHandler::kOk, Run(true, [press, &stillOpen](FakeDialog& dialog) {
                  press(dialog);
                  stillOpen = dialog.IsOpen();
                  dialog.PressOk();
              }));
    EXPECT_TRUE(stillOpen) << GetParam().title;
    EXPECT_FALSE(LastRun().afterInit.at(FakeDialog::kCancelButton).visible);
}

INSTANTIATE_TEST_SUITE_P(Ways, PreferencesCancelTest, testing::ValuesIn(kCancelWays));

TEST_F(PreferencesDlgTest, FirstRunShowsTheDefaultsAndStoresOnlyDifferences) {
    Run(true, [](FakeDialog& dialog) {
        dialog.Choose(IDC_DAILY);
        dialog.PressOk();
    });
    EXPECT_EQ(
        (std::vector<int>{IDC_WEEKLY, IDC_EXISTING_WINDOW, IDC_PROMPT_CHECK, IDC_PROMPT_CONNECT}),
        CheckedControls(LastRun().afterInit));
    EXPECT_EQ((std::vector<std::string>{"QueryInterval"}), fake.registry.written);
    EXPECT_EQ(1u, fake.registry.SettingsKey().ValueCount());
}

TEST_F(PreferencesDlgTest, EditPreferencesTellsWhetherTheUserPressedOk) {
    fake.dialogs.Script(IDD_PREFERENCES, [](FakeDialog& dialog) { dialog.PressOk(); });
    fake.dialogs.Script(IDD_PREFERENCES, [](FakeDialog& dialog) { dialog.PressCancel(); });
    EXPECT_TRUE(g_settings.EditPreferences(false));
    EXPECT_FALSE(g_settings.EditPreferences(false));
    EXPECT_FALSE(g_settings.EditPreferences(false)) << "the dialog could not be shown";
    EXPECT_EQ(3u, fake.dialogs.runs.size());
}

} // namespace
