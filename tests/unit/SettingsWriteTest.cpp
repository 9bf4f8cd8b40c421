#include "menu/MenuArchive.h"
#include "tests/fake/MenuTreeEquality.h"
#include "tests/unit/SettingsTestFixture.h"

#include <functional>
#include <string>
#include <vector>

namespace {

// Each setter against the built-in defaults (both prompts on, existing
// window, weekly).
struct SetterCase {
    const char* title;
    std::function<void()> keepDefault;
    std::function<void()> change;
    const char* name;
    std::uint32_t stored;
    std::function<bool()> fieldChanged;
};

const SetterCase kSetterCases[] = {
    {"check prompt", [] { g_settings.SetPromptBeforeCheck(true); },
     [] { g_settings.SetPromptBeforeCheck(false); }, "PromptBeforeCheck", 0,
     [] { return !g_settings.m_bPromptBeforeCheck; }},
    {"connect prompt", [] { g_settings.SetPromptBeforeConnect(true); },
     [] { g_settings.SetPromptBeforeConnect(false); }, "PromptBeforeConnect", 0,
     [] { return !g_settings.m_bPromptBeforeConnect; }},
    {"new window", [] { g_settings.SetOpenNewBrowserWindow(false); },
     [] { g_settings.SetOpenNewBrowserWindow(true); }, "OpenNewBrowserWindow", 1,
     [] { return g_settings.m_bOpenNewBrowserWindow; }},
    {"monthly", [] { g_settings.SetQueryInterval(2); }, [] { g_settings.SetQueryInterval(3); },
     "QueryInterval", 3, [] { return g_settings.m_nQueryInterval == 3; }},
    {"no interval", [] { g_settings.SetQueryInterval(2); }, [] { g_settings.SetQueryInterval(-1); },
     "QueryInterval", 0xFFFFFFFF, [] { return g_settings.m_nQueryInterval == -1; }},
};

class SetterTest : public SettingsTest, public testing::WithParamInterface<SetterCase> {};

TEST_P(SetterTest, UnchangedValueTouchesNoRegistry) {
    GetParam().keepDefault();
    EXPECT_EQ(0u, RegistryCalls());
    EXPECT_EQ(nullptr, fake.registry.FindSettingsKey());
    EXPECT_FALSE(GetParam().fieldChanged());
}

TEST_P(SetterTest, ChangeWritesItsValueInOneCycle) {
    fake.registry.SettingsKey().SetDword("LastQuery", 1234);

    GetParam().change();

    EXPECT_TRUE(GetParam().fieldChanged());
    const std::string name = GetParam().name;
    EXPECT_EQ((std::vector<std::string>{
                  "RegCreateKey HKCU\\Software\\Vellinor -> 1",
                  "RegSetValue 1 " + name + " REG_DWORD " + std::to_string(GetParam().stored),
                  "RegCloseKey 1",
              }),
              Calls({"Reg"}));
    const FakeRegistryKey& key = fake.registry.SettingsKey();
    EXPECT_EQ(GetParam().stored, key.Dword(name));
    EXPECT_EQ(2u, key.ValueCount());
    EXPECT_EQ(1234u, key.Dword("LastQuery"));
    EXPECT_EQ(nullptr, g_settings.m_hKey);
}

TEST_P(SetterTest, ChangeCreatesTheMissingKey) {
    GetParam().change();
    ASSERT_NE(nullptr, fake.registry.FindSettingsKey());
    EXPECT_EQ(1u, fake.registry.FindSettingsKey()->ValueCount());
}

TEST_P(SetterTest, FailedWriteKeepsTheNewValueInMemory) {
    fake.registry.createFails = true;
    GetParam().change();
    EXPECT_TRUE(GetParam().fieldChanged());
    EXPECT_EQ(nullptr, fake.registry.FindSettingsKey());
    EXPECT_EQ(nullptr, g_settings.m_hKey);

    // The setting now holds the new value, so setting it again is no change.
    fake.log.Clear();
    GetParam().change();
    EXPECT_EQ(0u, RegistryCalls());
}

INSTANTIATE_TEST_SUITE_P(Setters, SetterTest, testing::ValuesIn(kSetterCases));

TEST_F(SettingsTest, RecordQueryTimeStoresNowEveryTime) {
    fake.clock.now = 1041415200; // 2003-01-01 10:00:00 UTC
    g_settings.RecordQueryTime();
    g_settings.RecordQueryTime();

    EXPECT_EQ(1041415200, g_settings.m_timeLastQuery);
    EXPECT_EQ((std::vector<std::string>{"LastQuery", "LastQuery"}), fake.registry.written);
    EXPECT_EQ(1041415200u, fake.registry.SettingsKey().Dword("LastQuery"));
    EXPECT_EQ(nullptr, g_settings.m_hKey);
}

// The stored value stays a four-byte DWORD: the low 32 bits, read back
// unsigned, so times up to 2106 come back whole.
struct StoredTimeCase {
    TimeValue now;
    std::uint32_t stored;
    TimeValue readBack;
};

const StoredTimeCase kStoredTimeCases[] = {
    {1041415200, 1041415200u, 1041415200}, // 2003
    {2147483647, 2147483647u, 2147483647}, // the last second before 2038-01-19 03:14:08
    {2147483648, 2147483648u, 2147483648}, // the first one after
    {4102444800, 4102444800u, 4102444800}, // 2100-01-01
    {4294967295, 4294967295u, 4294967295}, // 2106-02-07 06:28:15
    {4294967296 + 5, 5u, 5},               // past 2106 only the low bits remain
};

class StoredTimeTest : public SettingsTest, public testing::WithParamInterface<StoredTimeCase> {};

TEST_P(StoredTimeTest, SurvivesARestart) {
    fake.clock.now = GetParam().now;
    g_settings.RecordQueryTime();
    EXPECT_EQ(GetParam().stored, fake.registry.SettingsKey().Dword("LastQuery"));

    g_settings.RestoreDefaults(kProgramStart);
    g_settings.Load();
    EXPECT_EQ(GetParam().readBack, g_settings.m_timeLastQuery);
}

INSTANTIATE_TEST_SUITE_P(Times, StoredTimeTest, testing::ValuesIn(kStoredTimeCases));

TEST_F(SettingsTest, SavedMenuLoadsAsTheSameTree) {
    delete g_pMenuData;
    g_pMenuData = ExampleMenu().release();
    const auto original = ExampleMenu();

    g_settings.SaveMenu();
    EXPECT_EQ(nullptr, g_settings.m_hKey);
    EXPECT_EQ((std::vector<std::string>{"MenuData"}), fake.registry.written);
    ASSERT_TRUE(fake.registry.SettingsKey().Binary("MenuData").has_value());

    g_pMenuData->Clear();
    g_settings.Load();
    ASSERT_NE(nullptr, g_pMenuData);
    EXPECT_EQ("", DescribeTreeDifference(*original, *g_pMenuData));
    EXPECT_EQ(0u, fake.registry.OpenHandleCount());
}

TEST_F(SettingsTest, SaveMenuReplacesTheStoredMenu) {
    fake.registry.SettingsKey().SetBinary("MenuData", {1, 2, 3});
    g_settings.SaveMenu();
    EXPECT_EQ(WriteMenuArchive(*g_pMenuData), fake.registry.SettingsKey().Binary("MenuData"));
}

TEST_F(SettingsTest, SaveMenuWithoutKeyStoresNothingAndSaysNothing) {
    fake.registry.createFails = true;
    g_pMenuData->m_wMenuNumber = 12;
    g_settings.SaveMenu();
    EXPECT_EQ(nullptr, fake.registry.FindSettingsKey());
    EXPECT_EQ(12, g_pMenuData->m_wMenuNumber);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(nullptr, g_settings.m_hKey);
}

} // namespace
