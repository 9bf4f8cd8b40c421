#include "menu/MenuArchive.h"
#include "res/resource.h"
#include "tests/fake/MenuTreeEquality.h"
#include "tests/unit/SettingsTestFixture.h"

#include <cctype>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

class SettingsLoadTest : public SettingsTest {
protected:
    // A tree that Load must either keep or replace, told apart by its number.
    void MarkCurrentTree() { g_pMenuData->m_wMenuNumber = 99; }
};

TEST_F(SettingsLoadTest, WithoutKeyRunsFirstRunPreferencesAndReadsNothing) {
    MarkCurrentTree();
    CMenuData* const before = g_pMenuData;
    fake.dialogs.Script(IDD_PREFERENCES, [](FakeDialog& dialog) { dialog.PressOk(); });

    g_settings.Load();

    ASSERT_EQ(1u, fake.dialogs.runs.size());
    const FakeDialogs::Run& run = fake.dialogs.runs[0];
    EXPECT_EQ(unsigned{IDD_PREFERENCES}, run.templateId);
    EXPECT_FALSE(run.afterInit.at(FakeDialog::kCancelButton).visible) << "not in first-run mode";
    EXPECT_EQ(DialogHandler::kOk, run.result);
    EXPECT_EQ(before, g_pMenuData);
    EXPECT_EQ(99, g_pMenuData->m_wMenuNumber);
    EXPECT_EQ((std::vector<std::string>{"RegOpenKey HKCU\\Software\\Vellinor -> 0", "RunModal 133",
                                        "RunModal 133 -> 1"}),
              Calls({"Reg", "RunModal"}));
    // Accepting the built-in defaults writes nothing, so no key comes to be.
    EXPECT_EQ(nullptr, fake.registry.FindSettingsKey());
    EXPECT_EQ(kProgramStart, g_settings.m_timeLastQuery);
}

TEST_F(SettingsLoadTest, FirstRunStoresOnlyWhatTheUserChanged) {
    fake.dialogs.Script(IDD_PREFERENCES, [](FakeDialog& dialog) {
        dialog.Choose(IDC_MONTHLY);
        dialog.PressOk();
    });

    g_settings.Load();

    const FakeRegistryKey* key = fake.registry.FindSettingsKey();
    ASSERT_NE(nullptr, key);
    EXPECT_EQ(1u, key->ValueCount());
    EXPECT_EQ(3u, key->Dword("QueryInterval"));
    EXPECT_EQ(QueryInterval::kMonthly, g_settings.m_nQueryInterval);
    EXPECT_EQ(0u, fake.registry.OpenHandleCount());
}

TEST_F(SettingsLoadTest, WithoutKeyAndNoDialogStillLeavesTheTree) {
    MarkCurrentTree();
    g_settings.Load(); // nothing scripted: the dialog cannot be shown
    EXPECT_EQ(1u, fake.dialogs.runs.size());
    EXPECT_EQ(99, g_pMenuData->m_wMenuNumber);
}

TEST_F(SettingsLoadTest, EmptyKeyGivesDefaultsAndNewEmptyTree) {
    fake.registry.SettingsKey();
    MarkCurrentTree();
    fake.clock.now = kProgramStart + 5000;

    g_settings.Load();

    EXPECT_TRUE(g_settings.m_bPromptBeforeCheck);
    EXPECT_TRUE(g_settings.m_bPromptBeforeConnect);
    EXPECT_FALSE(g_settings.m_bOpenNewBrowserWindow);
    EXPECT_EQ(QueryInterval::kWeekly, g_settings.m_nQueryInterval);
    EXPECT_EQ(kProgramStart, g_settings.m_timeLastQuery) << "counts from program start";
    ASSERT_NE(nullptr, g_pMenuData);
    EXPECT_TRUE(IsEmptyTree(*g_pMenuData));
    EXPECT_TRUE(fake.dialogs.runs.empty());
    EXPECT_EQ(0, fake.registry.writes);
    EXPECT_EQ(nullptr, g_settings.m_hKey);
    EXPECT_EQ(0u, fake.registry.OpenHandleCount());
    EXPECT_EQ(0, fake.registry.DeadHandleUses());
}

TEST_F(SettingsLoadTest, ReadsTheValuesInOrderThroughOneReadOnlyKey) {
    fake.registry.SettingsKey();
    g_settings.Load();
    EXPECT_EQ((std::vector<std::string>{
                  "RegOpenKey HKCU\\Software\\Vellinor -> 1",
                  "RegQueryValue 1 PromptBeforeCheck",
                  "RegQueryValue 1 PromptBeforeConnect",
                  "RegQueryValue 1 OpenNewBrowserWindow",
                  "RegQueryValue 1 QueryInterval",
                  "RegQueryValue 1 LastQuery",
                  "RegQueryValueInfo 1 MenuData",
                  "RegCloseKey 1",
              }),
              Calls({"Reg"}));
}

// One stored value at a time, in an otherwise empty key; every other setting
// keeps its default.
struct StoredValueCase {
    const char* title;
    const char* name;
    RegistryType type;
    Bytes data;
    bool promptBeforeCheck;
    bool promptBeforeConnect;
    bool openNewBrowserWindow;
    int queryInterval;
    TimeValue lastQuery; // 0 for the program's start
};

constexpr RegistryType kDword = RegistryType::Dword;
constexpr RegistryType kString = RegistryType::String;
constexpr RegistryType kBinary = RegistryType::Binary;

const StoredValueCase kStoredValueCases[] = {
    {"check prompt off", "PromptBeforeCheck", kDword, {0, 0, 0, 0}, false, true, false, 2, 0},
    {"check prompt stored as 5",
     "PromptBeforeCheck",
     kDword,
     {5, 0, 0, 0},
     true,
     true,
     false,
     2,
     0},
    {"check prompt as text \"0\"", "PromptBeforeCheck", kString, {'0', 0}, true, true, false, 2, 0},
    {"connect prompt off", "PromptBeforeConnect", kDword, {0, 0, 0, 0}, true, false, false, 2, 0},
    {"new window on", "OpenNewBrowserWindow", kDword, {1, 0, 0, 0}, true, true, true, 2, 0},
    {"new window in the high byte",
     "OpenNewBrowserWindow",
     kDword,
     {0, 0, 0, 1},
     true,
     true,
     true,
     2,
     0},
    {"new window as binary", "OpenNewBrowserWindow", kBinary, {1, 0, 0, 0}, true, true, true, 2, 0},
    {"monthly", "QueryInterval", kDword, {3, 0, 0, 0}, true, true, false, 3, 0},
    {"never", "QueryInterval", kDword, {0, 0, 0, 0}, true, true, false, 0, 0},
    {"interval 7", "QueryInterval", kDword, {7, 0, 0, 0}, true, true, false, 7, 0},
    {"interval -1", "QueryInterval", kDword, {0xFF, 0xFF, 0xFF, 0xFF}, true, true, false, -1, 0},
    {"eight-byte DWORD",
     "QueryInterval",
     kDword,
     {3, 0, 0, 0, 0, 0, 0, 0},
     true,
     true,
     false,
     2,
     0},
    {"text \"3\" where a DWORD belongs",
     "QueryInterval",
     kString,
     {'3', 0},
     true,
     true,
     false,
     0x33,
     0},
    {"text too long for four bytes",
     "QueryInterval",
     kString,
     {'m', 'o', 'n', 't', 'h', 0},
     true,
     true,
     false,
     2,
     0},
    {"last query", "LastQuery", kDword, {0x80, 0x1B, 0x98, 0x3D}, true, true, false, 2, 1033378688},
    {"last query past 2038",
     "LastQuery",
     kDword,
     {0, 0, 0, 0x80},
     true,
     true,
     false,
     2,
     2147483648},
    {"last query at the top of the range",
     "LastQuery",
     kDword,
     {0xFF, 0xFF, 0xFF, 0xFF},
     true,
     true,
     false,
     2,
     4294967295},
    {"eight-byte last query",
     "LastQuery",
     kBinary,
     {1, 0, 0, 0, 0, 0, 0, 0},
     true,
     true,
     false,
     2,
     0},
};

class StoredValueTest : public SettingsTest, public testing::WithParamInterface<StoredValueCase> {};

TEST_P(StoredValueTest, ReadsAsDocumented) {
    const StoredValueCase& row = GetParam();
    fake.registry.SettingsKey().Set(row.name, row.type, row.data);

    g_settings.Load();

    EXPECT_EQ(row.promptBeforeCheck, g_settings.m_bPromptBeforeCheck);
    EXPECT_EQ(row.promptBeforeConnect, g_settings.m_bPromptBeforeConnect);
    EXPECT_EQ(row.openNewBrowserWindow, g_settings.m_bOpenNewBrowserWindow);
    EXPECT_EQ(row.queryInterval, g_settings.m_nQueryInterval);
    EXPECT_EQ(row.lastQuery == 0 ? kProgramStart : row.lastQuery, g_settings.m_timeLastQuery);
    // Load never writes: an odd value stays as it is until the setting changes.
    EXPECT_EQ(0, fake.registry.writes);
    EXPECT_EQ(row.data, fake.registry.SettingsKey().Find(row.name)->data);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredValueTest, testing::ValuesIn(kStoredValueCases),
                         [](const testing::TestParamInfo<StoredValueCase>& info) {
                             std::string name;
                             for (const char* c = info.param.title; *c != '\0'; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c)))
                                     name += *c;
                             return name;
                         });

TEST_F(SettingsLoadTest, StoredMenuBecomesTheCurrentTree) {
    const auto stored = ExampleMenu();
    fake.registry.SettingsKey().SetBinary("MenuData", WriteMenuArchive(*stored));

    g_settings.Load();

    ASSERT_NE(nullptr, g_pMenuData);
    EXPECT_EQ("", DescribeTreeDifference(*stored, *g_pMenuData));
}

// A "MenuData" that cannot give a tree is treated like a missing one: a new
// empty tree, so that start-up goes on to the first-run setup.
struct UnusableMenuCase {
    const char* title;
    RegistryType type;
    // The stored bytes, made from the archive of the example menu.
    Bytes (*make)(const Bytes& archive);
};

const UnusableMenuCase kUnusableMenuCases[] = {
    {"text value", kString, [](const Bytes& archive) { return archive; }},
    {"DWORD value", kDword, [](const Bytes& archive) { return archive; }},
    {"empty", kBinary, [](const Bytes&) { return Bytes{}; }},
    {"last byte missing", kBinary,
     [](const Bytes& archive) { return Bytes(archive.begin(), archive.end() - 1); }},
    {"cut in half", kBinary,
     [](const Bytes& archive) {
         return Bytes(archive.begin(), archive.begin() + archive.size() / 2);
     }},
    {"class name damaged", kBinary,
     [](const Bytes& archive) {
         Bytes damaged = archive;
         damaged[6] = 'X'; // the first letter of "CMenuData"
         return damaged;
     }},
    {"schema damaged", kBinary,
     [](const Bytes& archive) {
         Bytes damaged = archive;
         damaged[2] = 7;
         return damaged;
     }},
    {"null object", kBinary,
     [](const Bytes&) {
         return Bytes{0, 0};
     }},
    {"foreign bytes", kBinary,
     [](const Bytes&) { return Bytes{'P', 'K', 3, 4, 20, 0, 0, 0, 8, 0}; }},
};

class UnusableMenuTest : public SettingsTest,
                         public testing::WithParamInterface<UnusableMenuCase> {};

TEST_P(UnusableMenuTest, GivesNewEmptyTree) {
    const Bytes archive = WriteMenuArchive(*ExampleMenu());
    ASSERT_EQ('C', archive.at(6));
    fake.registry.SettingsKey().Set("MenuData", GetParam().type, GetParam().make(archive));
    g_pMenuData->m_wMenuNumber = 99;
    fake.registry.SettingsKey().SetDword("QueryInterval", 1);

    g_settings.Load();

    ASSERT_NE(nullptr, g_pMenuData) << GetParam().title;
    EXPECT_TRUE(IsEmptyTree(*g_pMenuData)) << GetParam().title;
    EXPECT_EQ(QueryInterval::kDaily, g_settings.m_nQueryInterval) << "the settings still count";
    EXPECT_EQ(nullptr, g_settings.m_hKey);
    EXPECT_EQ(0u, fake.registry.OpenHandleCount());
}

INSTANTIATE_TEST_SUITE_P(Values, UnusableMenuTest, testing::ValuesIn(kUnusableMenuCases));

} // namespace
