#include "menu/MenuArchive.h"
#include "res/resource.h"
#include "tests/unit/AppFixture.h"

namespace {

class ScheduledCheck : public AppFixture {
protected:
    ScheduledCheck() {
        StoreMenu(MenuText(7, "News\tnews.example\nOld\told.example\n"));
        EXPECT_TRUE(Start());
        fake.log.Clear();
    }
    void Tick() { fake.timers.Fire(fake.timers.RunningIdFor(CSiteMenuApp::kHourlyTimerId)); }
    std::vector<unsigned> Dialogs() const {
        std::vector<unsigned> shown;
        for (const auto& run : fake.dialogs.runs)
            shown.push_back(run.templateId);
        return shown;
    }
    std::vector<std::uint8_t> StoredMenu() {
        return fake.registry.SettingsKey().Binary("MenuData").value_or(std::vector<std::uint8_t>{});
    }
};

TEST_F(ScheduledCheck, UpdateNowAsksOnlyTheConnectPrompt) {
    fake.dialogs.Script(IDD_CONNECT, [](FakeDialog& connect) { connect.PressCancel(); });
    fake.window.DeliverCommand(ID_UPDATE_NOW);
    EXPECT_EQ(std::vector<unsigned>{IDD_CONNECT}, Dialogs());
    EXPECT_EQ(0u, fake.log.Count("OpenSession"));
    EXPECT_EQ(0, theApp.m_nBusyCount);
}

TEST_F(ScheduledCheck, AnHourlyTickWithNeverDoesNothing) {
    g_settings.SetQueryInterval(0);
    fake.clock.now += 400 * 86400;
    Tick();
    EXPECT_TRUE(fake.dialogs.runs.empty());
}

TEST_F(ScheduledCheck, ADueTickAsksBothPromptsAndPostponeRecordsNothing) {
    fake.clock.now += 8 * 86400;
    const auto lastQuery = fake.registry.SettingsKey().Dword("LastQuery");
    fake.dialogs.Script(IDD_QUERY, [](FakeDialog& query) { query.PressCancel(); });
    Tick();
    EXPECT_EQ(std::vector<unsigned>{IDD_QUERY}, Dialogs());
    EXPECT_EQ(lastQuery, fake.registry.SettingsKey().Dword("LastQuery"));
    EXPECT_EQ((std::vector<unsigned>{0x30, 0x20}), fake.window.beeps);

    // An hour later the question comes again.
    fake.dialogs.Script(IDD_QUERY, [](FakeDialog& query) { query.PressOk(); });
    fake.dialogs.Script(IDD_CONNECT, [](FakeDialog& connect) { connect.PressCancel(); });
    Tick();
    EXPECT_EQ((std::vector<unsigned>{IDD_QUERY, IDD_QUERY, IDD_CONNECT}), Dialogs());
}

TEST_F(ScheduledCheck, TheQueryPromptShowsTheLastQueryTime) {
    fake.clock.SetTimeZone("UTC0");
    g_settings.m_timeLastQuery = 1033394700; // 2002-09-30 14:05:00
    fake.clock.now = g_settings.m_timeLastQuery + 8 * 86400;
    std::string shown;
    fake.dialogs.Script(IDD_QUERY, [&shown](FakeDialog& query) {
        shown = query.GetText(IDC_LAST_QUERY);
        query.PressCancel();
    });
    Tick();
    EXPECT_EQ("9/30/02 14:05:00", shown);
}

TEST_F(ScheduledCheck, ATickWhileBusyIsLost) {
    fake.clock.now += 8 * 86400;
    theApp.BeginBusy(false);
    Tick();
    theApp.EndBusy();
    EXPECT_TRUE(fake.dialogs.runs.empty());
}

TEST_F(ScheduledCheck, DontAskAgainWithOkTurnsTheConnectPromptOff) {
    g_settings.SetPromptBeforeCheck(false);
    fake.clock.now += 8 * 86400;
    fake.http.next.cannotOpen = true;
    fake.dialogs.Script(IDD_CONNECT, [](FakeDialog& connect) {
        connect.Toggle(IDC_DONT_ASK_AGAIN);
        connect.PressOk();
    });
    Tick();
    EXPECT_EQ(std::optional<std::uint32_t>(0),
              fake.registry.SettingsKey().Dword("PromptBeforeConnect"));
    EXPECT_EQ(1u, fake.log.Count("OpenSession"));

    Tick(); // no prompt any more
    EXPECT_EQ(std::vector<unsigned>{IDD_CONNECT}, Dialogs());
    EXPECT_EQ(2u, fake.log.Count("OpenSession"));
}

TEST_F(ScheduledCheck, DontAskAgainWithCancelStoresNothing) {
    fake.dialogs.Script(IDD_CONNECT, [](FakeDialog& connect) {
        connect.Toggle(IDC_DONT_ASK_AGAIN);
        connect.PressCancel();
    });
    fake.window.DeliverCommand(ID_UPDATE_NOW);
    EXPECT_FALSE(fake.registry.SettingsKey().Dword("PromptBeforeConnect").has_value());
    EXPECT_TRUE(g_settings.m_bPromptBeforeConnect);
    EXPECT_EQ(0u, fake.log.Count("OpenSession"));
}

TEST_F(ScheduledCheck, ASuccessfulUpdateReplacesTheMenuAndStoresIt) {
    g_settings.SetPromptBeforeConnect(false);
    fake.http.next.body = MenuText(8, "Fresh\tfresh.example\n");
    const MenuHandle before = g_trayIcon.m_hMenu;

    fake.window.DeliverCommand(ID_UPDATE_NOW);

    EXPECT_EQ(8, g_pMenuData->m_wMenuNumber);
    EXPECT_NE(before, g_trayIcon.m_hMenu);
    EXPECT_EQ(g_pMenuData->m_hMenu, g_trayIcon.m_hMenu);
    EXPECT_EQ(WriteMenuArchive(*g_pMenuData), StoredMenu());
    std::string url;
    EXPECT_TRUE(g_pMenuData->FindCommand(1001, url));
    EXPECT_EQ("fresh.example", url);
    EXPECT_EQ(0, fake.menus.DeadHandleUses());
}

TEST_F(ScheduledCheck, EveryFailureKeepsTheMenuItsPopUpAndTheStoredCopy) {
    g_settings.SetPromptBeforeConnect(false);
    const MenuHandle before = g_trayIcon.m_hMenu;
    const auto stored = StoredMenu();
    for (int failure = 0; failure < 5; ++failure) {
        fake.http.next = FakeHttp::Answer{};
        switch (failure) {
        case 0:
            fake.http.next.cannotOpen = true;
            break;
        case 1:
            fake.http.next.body = MenuText(7, "Same\tsame.example\n");
            break;
        case 2:
            fake.http.next.status = 404;
            fake.http.next.body = MenuText(9, "X\tx\n");
            break;
        case 3:
            fake.http.next.readFails = true;
            break;
        case 4:
            fake.http.next.body = MenuText(9, "\n");
            break;
        }
        fake.window.DeliverCommand(ID_UPDATE_NOW);
        EXPECT_EQ(before, g_trayIcon.m_hMenu) << failure;
        EXPECT_EQ(7, g_pMenuData->m_wMenuNumber) << failure;
        EXPECT_EQ(stored, StoredMenu()) << failure;
        EXPECT_EQ(0, theApp.m_nBusyCount) << failure;
    }
    std::string url;
    EXPECT_TRUE(g_pMenuData->FindCommand(1002, url)) << "identifiers stay valid";
    EXPECT_EQ("old.example", url);
}

TEST_F(ScheduledCheck, SiteCommandsOpenTheSiteTheUsersWay) {
    EXPECT_TRUE(fake.window.DeliverCommand(1002));
    EXPECT_EQ(std::vector<std::string>{"http://old.example"}, fake.shell.opened);

    g_settings.SetOpenNewBrowserWindow(true);
    fake.registry.Key(RegistryRoot::ClassesRoot, ".htm").SetString("", "Page");
    fake.registry.Key(RegistryRoot::ClassesRoot, "Page\\shell\\open\\command")
        .SetString("", "web.exe \"%1\"");
    EXPECT_TRUE(fake.window.DeliverCommand(1001));
    ASSERT_EQ(1u, fake.shell.started.size());
    EXPECT_EQ("web.exe \"http://news.example\"", fake.shell.started[0].commandLine);

    EXPECT_FALSE(fake.window.DeliverCommand(1003)) << "no such site";
}

// Were the tray menu to open over the box, "E&xit" would destroy its owner.
TEST_F(ScheduledCheck, NoTrayMenuOpensWhileABrowserMessageIsOpen) {
    fake.shell.shellOpenSucceeds = false;
    int busyDuringBox = 0;
    unsigned imageDuringBox = 0;
    fake.messages.whileShown = [&] {
        busyDuringBox = theApp.m_nBusyCount;
        imageDuringBox = fake.tray.ShownResource(10);
        fake.window.DeliverTrayNotify(10, 0x205);
        fake.window.DeliverTrayNotify(10, 0x203);
    };
    EXPECT_TRUE(fake.window.DeliverCommand(1002));
    EXPECT_EQ((std::vector<std::pair<unsigned, unsigned>>{{IDS_BROWSER_FAILED, 0x10}}),
              fake.messages.shown);
    EXPECT_EQ(1, busyDuringBox);
    EXPECT_EQ(static_cast<unsigned>(IDI_TRAY), imageDuringBox) << "no blinking";
    EXPECT_EQ(0u, fake.log.Count("TrackAtCursor"));
    EXPECT_EQ(1u, fake.shell.opened.size()) << "no second site from a double click";
    EXPECT_EQ(0, theApp.m_nBusyCount);
}

TEST_F(ScheduledCheck, ExitDestroysTheWindowWhichQuitsWithZero) {
    EXPECT_TRUE(fake.window.DeliverCommand(ID_EXIT));
    EXPECT_FALSE(fake.window.Exists());
    EXPECT_EQ(std::optional<int>(0), fake.window.QuitCode());
}

} // namespace
