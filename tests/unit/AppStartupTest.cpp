#include "menu/MenuArchive.h"
#include "res/resource.h"
#include "tests/unit/AppFixture.h"

namespace {

const std::string kStoredBody = "News\tnews.example\n-\nBEGIN More\nA\ta.example\nEND\n";

class AppStartup : public AppFixture {
protected:
    unsigned HourlyTimer() const { return fake.timers.RunningIdFor(CSiteMenuApp::kHourlyTimerId); }
};

TEST_F(AppStartup, StoredMenuAndNoCheckDueRunsWithTheMenuAndTheHourlyTimer) {
    StoreMenu(MenuText(7, kStoredBody));

    ASSERT_TRUE(Start());

    EXPECT_EQ("Vellinor1", fake.window.WindowName());
    ASSERT_TRUE(fake.tray.IsPresent(10));
    EXPECT_EQ("Vellinor", fake.tray.Shown(10).tip);
    EXPECT_EQ(CTrayIcon::kCallbackMessage, fake.tray.Shown(10).callbackMessage);
    EXPECT_EQ(static_cast<unsigned>(IDI_TRAY), fake.tray.ShownResource(10));
    ASSERT_NE(nullptr, g_trayIcon.m_hMenu);
    EXPECT_EQ(g_pMenuData->m_hMenu, g_trayIcon.m_hMenu);
    EXPECT_EQ(7, g_pMenuData->m_wMenuNumber);
    ASSERT_NE(0u, HourlyTimer());
    EXPECT_EQ(3600000u, fake.timers.Running().at(HourlyTimer()).periodMs);
    EXPECT_TRUE(fake.dialogs.runs.empty());
    EXPECT_EQ(0u, fake.log.Count("OpenSession"));
}

TEST_F(AppStartup, ADueCheckRunsBeforeTheHourlyTimerAndAPostponeStillRuns) {
    StoreMenu(MenuText(7, kStoredBody));
    fake.clock.now += 8 * 86400; // weekly by default: a week and a day later
    fake.dialogs.Script(IDD_QUERY, [this](FakeDialog& query) {
        EXPECT_EQ(0u, fake.timers.RunningIdFor(CSiteMenuApp::kHourlyTimerId));
        query.PressCancel();
    });

    ASSERT_TRUE(Start());

    ASSERT_EQ(1u, fake.dialogs.runs.size());
    EXPECT_EQ(static_cast<unsigned>(IDD_QUERY), fake.dialogs.runs[0].templateId);
    EXPECT_NE(0u, HourlyTimer());
    EXPECT_EQ(7, g_pMenuData->m_wMenuNumber) << "the stored menu stays";
    EXPECT_EQ(0, theApp.m_nBusyCount);
}

TEST_F(AppStartup, FirstRunShowsPreferencesThenSetupAndExitEndsTheProgram) {
    fake.dialogs.Script(IDD_PREFERENCES, [](FakeDialog& preferences) {
        EXPECT_FALSE(preferences.IsVisible(FakeDialog::kCancelButton));
        preferences.PressOk();
    });
    fake.dialogs.Script(IDD_SETUP, [this](FakeDialog& setup) {
        EXPECT_TRUE(fake.tray.IsPresent(10)) << "the icon is there before the setup";
        setup.PressCancel();
    });

    EXPECT_FALSE(Start());

    ASSERT_EQ(2u, fake.dialogs.runs.size());
    EXPECT_EQ(static_cast<unsigned>(IDD_SETUP), fake.dialogs.runs[1].templateId);
    EXPECT_TRUE(fake.timers.Running().empty());
    EXPECT_EQ(nullptr, fake.registry.FindSettingsKey()) << "defaults are never written as such";
}

TEST_F(AppStartup, AStoredMenuWithoutEntriesIsAFirstStart) {
    FakeRegistryKey& key = fake.registry.SettingsKey();
    CMenuData empty;
    key.SetBinary("MenuData", WriteMenuArchive(empty));
    fake.dialogs.Script(IDD_SETUP, [](FakeDialog& setup) { setup.PressEscape(); });

    EXPECT_FALSE(Start());
    ASSERT_EQ(1u, fake.dialogs.runs.size());
    EXPECT_EQ(static_cast<unsigned>(IDD_SETUP), fake.dialogs.runs[0].templateId);
}

TEST_F(AppStartup, AStoredMenuWithoutEntriesDoesNotTurnAwayTheServersMenuOfItsNumber) {
    CMenuData empty;
    empty.m_wMenuNumber = 5;
    fake.registry.SettingsKey().SetBinary("MenuData", WriteMenuArchive(empty));
    fake.dialogs.Script(IDD_SETUP, [](FakeDialog& setup) { setup.PressOk(); });
    fake.http.next.body = MenuText(5, kStoredBody);

    ASSERT_TRUE(Start());

    EXPECT_EQ(5, g_pMenuData->m_wMenuNumber);
    EXPECT_NE(nullptr, g_trayIcon.m_hMenu);
    EXPECT_EQ((std::vector<std::pair<unsigned, unsigned>>{{IDS_NEW_MENU_LOADED, 0x40}}),
              fake.messages.shown);
}

TEST_F(AppStartup, ConnectInstallsTheFirstMenuAndRuns) {
    fake.registry.SettingsKey(); // settings exist, no menu
    fake.dialogs.Script(IDD_SETUP, [](FakeDialog& setup) { setup.PressOk(); });
    fake.http.next.body = MenuText(3, kStoredBody);

    ASSERT_TRUE(Start());

    EXPECT_EQ(3, g_pMenuData->m_wMenuNumber);
    EXPECT_NE(nullptr, g_trayIcon.m_hMenu);
    EXPECT_NE(0u, HourlyTimer());
    EXPECT_TRUE(fake.registry.SettingsKey().Binary("MenuData").has_value());
    EXPECT_EQ(0u, fake.dialogs.PendingScripts()) << "no prompts on the first download";
}

TEST_F(AppStartup, ConnectWithNoServerReportsAndEnds) {
    fake.registry.SettingsKey();
    fake.dialogs.Script(IDD_SETUP, [](FakeDialog& setup) { setup.PressOk(); });
    fake.http.next.cannotOpen = true;

    EXPECT_FALSE(Start());

    EXPECT_EQ((std::vector<std::pair<unsigned, unsigned>>{{IDS_NO_CONNECTION, 0x10}}),
              fake.messages.shown);
    EXPECT_TRUE(fake.timers.Running().empty());
}

TEST_F(AppStartup, ExitEndsTheRunWithCodeZeroTheTreeDeletedAndNoIconLeft) {
    StoreMenu(MenuText(7, kStoredBody));
    fake.window.whileLooping = [this] { fake.window.DeliverCommand(ID_EXIT); };

    EXPECT_EQ(0, RunProgram());

    EXPECT_EQ(nullptr, g_pMenuData);
    // The window is gone before the icon is deleted: the delete still has to
    // name it, or the shell keeps a dead icon.
    EXPECT_FALSE(fake.tray.IsPresent(10));
    ASSERT_EQ(FakeTray::Operation::Delete, fake.tray.calls.back().operation);
    const WindowHandle added = fake.tray.calls.front().record.window;
    EXPECT_NE(nullptr, added);
    for (const FakeTray::Call& call : fake.tray.calls)
        EXPECT_EQ(added, call.record.window);
    EXPECT_FALSE(fake.window.Exists());
    EXPECT_EQ(0u, fake.menus.LiveMenuCount());
    EXPECT_EQ(0, fake.menus.DeadHandleUses());
}

TEST_F(AppStartup, ASetupExitAlsoLeavesNoIconOrWindow) {
    fake.dialogs.Script(IDD_PREFERENCES, [](FakeDialog& preferences) { preferences.PressOk(); });
    fake.dialogs.Script(IDD_SETUP, [](FakeDialog& setup) { setup.PressCancel(); });

    RunProgram();

    EXPECT_FALSE(fake.tray.IsPresent(10));
    EXPECT_FALSE(fake.window.Exists());
    EXPECT_EQ(nullptr, g_pMenuData);
}

TEST_F(AppStartup, TheIconComesBackWhenTheNotificationAreaIsRecreated) {
    StoreMenu(MenuText(7, kStoredBody));
    ASSERT_TRUE(Start());
    fake.tray.ShellRestarted();

    fake.window.DeliverTaskbarCreated();

    ASSERT_TRUE(fake.tray.IsPresent(10));
    EXPECT_EQ("Vellinor", fake.tray.Shown(10).tip);
}

} // namespace
