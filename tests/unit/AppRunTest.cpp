// The running program: start-up and exit, the scheduled checks and their
// prompts, the tray icon's clicks and blinking, and the dialogs of its menu.
#include "tests/unit/AppFixture.h"

namespace {

constexpr unsigned kLeftUp = 0x202, kLeftDouble = 0x203, kRightUp = 0x205;
const std::string kBody = "News\tnews.example\nOld\told.example\nBEGIN More\nA\ta.example\nEND\n";

FakeDialogs::Script Pressing(int button) {
    return [button](FakeDialog& dialog) { dialog.Press(button); };
}

// Without a usable stored menu, only a first download lets the program run;
// a stored menu without entries does not turn away the server's of its number.
// Without settings the first run's preferences come first: Escape cannot end
// them, and only what the user changed is stored. A check due at start asks
// first; postponed, the program still runs. Exit, or a start that cannot run,
// leaves no window or icon behind. Columns: settings, the stored menu (5 one
// without entries, 7 kBody's, due for a check), connect at the setup prompt,
// the server answers, the dialogs, the program runs.
using Start = std::tuple<bool, int, bool, bool, std::vector<unsigned>, bool>;

class StartTest : public AppTest, public testing::WithParamInterface<Start> {};

TEST_P(StartTest, RunsOnlyWithAMenuAndLeavesNothingBehind) {
    const auto& [settings, storedMenu, connect, serverAnswers, dialogs, runs] = GetParam();
    if (settings)
        fake.registry.Settings();
    CMenuData empty;
    empty.m_wMenuNumber = 5;
    if (storedMenu == 5)
        fake.registry.Settings()["MenuData"] = {RegistryType::Binary, WriteMenuArchive(empty)};
    if (storedMenu == 7)
        StoreMenu(kBody), fake.clock.now += 8 * 86400; // weekly by default
    fake.dialogs.scripts.emplace(IDD_PREFERENCES, [](FakeDialog& dialog) {
        EXPECT_FALSE(dialog.controls.at(DialogHandler::kCancel).visible) << "first-run mode";
        dialog.handler.OnCancel(dialog); // Escape, with the Cancel button hidden
        dialog.SetChecked(IDC_WEEKLY, false), dialog.SetChecked(IDC_MONTHLY, true);
        dialog.Press(DialogHandler::kOk);
    });
    fake.dialogs.scripts.emplace(IDD_SETUP,
                                 Pressing(connect ? DialogHandler::kOk : DialogHandler::kCancel));
    fake.dialogs.scripts.emplace(IDD_QUERY, Pressing(DialogHandler::kCancel));
    fake.http.next = {MenuText("5", kBody), 200,
                      serverAnswers ? FakeHttp::kNone : FakeHttp::kCannotOpen};
    bool ran = false;
    fake.window.whileLooping = [&] {
        EXPECT_EQ("Vellinor", fake.tray.shown.at(10).tip);
        ran = Command(ID_EXIT);
    };
    EXPECT_EQ(0, RunProgram());
    EXPECT_EQ(dialogs, fake.dialogs.runs) << "no prompts before the first download";
    EXPECT_EQ(settings ? std::nullopt : std::optional(3u),
              fake.registry.Settings().Dword("QueryInterval"));
    const bool downloaded = fake.registry.Settings()["MenuData"].second.size() > 10;
    const bool scheduled = fake.timers.IdFor(CSiteMenuApp::kHourlyTimerId) != 0;
    EXPECT_EQ(std::tuple(runs, runs, runs), std::tuple(ran, downloaded, scheduled));
    EXPECT_TRUE(fake.window.events == nullptr && fake.tray.shown.empty()) << "left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Starts, StartTest,
    testing::Values(Start{false, 0, false, true, {IDD_PREFERENCES, IDD_SETUP}, false},
                    Start{true, 0, true, true, {IDD_SETUP}, true},
                    Start{true, 5, true, true, {IDD_SETUP}, true},
                    Start{true, 0, true, false, {IDD_SETUP}, false},
                    Start{true, 7, false, false, {IDD_QUERY}, true}));

class Running : public AppTest {
protected:
    Running() {
        StoreMenu(kBody);
        EXPECT_TRUE(theApp.InitInstance());
    }
    void Hour() { fake.timers.Tick(CSiteMenuApp::kHourlyTimerId); }
};

// An hourly tick checks only when due and idle, asking first; a check the user
// asks for skips that question; "don't ask again" at the connection prompt
// stops that one. The server cannot be reached, which each connection tells.
TEST_F(Running, ChecksAskBeforeTheyConnectUnlessTheUserSaidNotTo) {
    fake.clock.now += 8 * 86400;
    theApp.BeginBusy(false), Hour(), theApp.EndBusy();

    g_settings.m_timeLastQuery = 1033394700;
    fake.dialogs.scripts.emplace(IDD_QUERY, [](FakeDialog& query) {
        EXPECT_EQ("9/30/02 14:05:00", query.GetText(IDC_LAST_QUERY));
        query.Press(DialogHandler::kCancel);
    });
    Hour();
    EXPECT_EQ((std::vector<unsigned>{0x30, 0x20}), fake.window.beeps);

    for (int button : {DialogHandler::kCancel, DialogHandler::kOk})
        fake.dialogs.scripts.emplace(IDD_CONNECT, [button](FakeDialog& connect) {
            connect.SetChecked(IDC_DONT_ASK_AGAIN, true), connect.Press(button);
        });
    fake.http.next.fault = FakeHttp::kCannotOpen, Command(ID_UPDATE_NOW);
    EXPECT_TRUE(fake.messages.shown.empty()) << "Cancel does not connect";
    EXPECT_FALSE(fake.registry.Settings().Dword("PromptBeforeConnect").has_value());
    Command(ID_UPDATE_NOW);
    g_settings.m_bPromptBeforeCheck = false, Hour();
    EXPECT_EQ((std::vector<unsigned>{IDD_QUERY, IDD_CONNECT, IDD_CONNECT}), fake.dialogs.runs);
    EXPECT_EQ((Shown(2, {IDS_NO_CONNECTION, kStop})), fake.messages.shown);
}

// Were the tray menu to open over a box or dialog, "E&xit" would destroy its
// owner. The browser cannot start, which a box tells each time.
TEST_F(Running, SitesAndDialogsOpenButNoTrayMenuOverThemOrABrowserMessage) {
    fake.shell.succeeds = false, fake.messages.whileShown = [this] { Click(kRightUp); };
    EXPECT_TRUE(Command(1002));
    EXPECT_FALSE(Command(1004)) << "no such site";
    fake.dialogs.scripts.emplace(IDD_PREFERENCES, [this](FakeDialog& preferences) {
        Click(kRightUp), preferences.Press(DialogHandler::kCancel);
        EXPECT_FALSE(preferences.open) << "Cancel ends it";
    });
    EXPECT_TRUE(Command(ID_PREFERENCES));
    fake.dialogs.scripts.emplace(IDD_ABOUT, [this](FakeDialog& about) {
        EXPECT_TRUE(about.controls.at(IDC_TITLE).titleFont);
        EXPECT_EQ(VELLINOR_CONTACT, about.GetText(IDC_EMAIL));
        about.SetText(IDC_LINK, VELLINOR_HOME_PAGE); // the template's caption
        about.Press(IDC_LINK), about.Press(IDC_EMAIL), about.Press(IDC_LINK);
        Click(kRightUp), about.Press(DialogHandler::kOk);
    });
    EXPECT_TRUE(Command(ID_ABOUT));
    EXPECT_EQ((std::vector<unsigned>{IDD_PREFERENCES, IDD_ABOUT}), fake.dialogs.runs);
    const std::string page = "http://" VELLINOR_HOME_PAGE;
    EXPECT_EQ((std::vector<std::string>{"http://old.example", page, page}), fake.shell.opened);
    EXPECT_EQ(0, fake.menus.tracks);
    EXPECT_EQ((Shown(3, {IDS_BROWSER_FAILED, kStop})), fake.messages.shown);
}

// A left click's pop-up waits for the double-click time, so that a double
// click reaches the program before any menu loop runs. A click on another
// icon comes first each time and does nothing.
// Columns: the messages (0: the double-click time passes), no timer can
// start, the pop-ups shown, the first site opened.
using ClickCase = std::tuple<std::vector<unsigned>, bool, int, bool>;

class TrayClick : public Running, public testing::WithParamInterface<ClickCase> {};

TEST_P(TrayClick, ShowsThePopUpOrOpensTheFirstSite) {
    const auto& [messages, noTimer, popUps, opensFirstSite] = GetParam();
    fake.timers.startSucceeds = !noTimer;
    fake.window.events->OnTrayNotify(11, kRightUp);
    for (unsigned message : messages)
        message != 0 ? Click(message) : fake.timers.Tick(CTrayIcon::kClickTimerId);
    EXPECT_EQ(std::pair(popUps, popUps),
              std::pair(fake.menus.tracks, fake.menus.firstItemDefaults));
    EXPECT_EQ(std::vector<std::string>(opensFirstSite, "http://news.example"), fake.shell.opened);
    EXPECT_EQ(0, fake.timers.unknownStops);
}

const ClickCase kClicks[] = {{{kLeftUp, 0, 0}, false, 1, false}, // the time passes once
                             {{kLeftUp}, true, 1, false},
                             {{kRightUp}, false, 1, false},
                             {{kLeftUp, kRightUp, 0}, false, 1, false},
                             {{kLeftUp, kLeftDouble, kLeftUp, 0}, false, 0, true},
                             {{kLeftDouble, kLeftUp, kLeftUp, 0}, false, 1, true}};
INSTANTIATE_TEST_SUITE_P(Clicks, TrayClick, testing::ValuesIn(kClicks));

// Once a second. Steps: b busy without blinking (the pop-up menu), B busy with it (a check,
// then its progress window), e the end of the last busy period, t one blink
// tick, . a look at the icon.
TEST_F(Running, TheIconComesBackWithTheShellAndBlinksThroughThePeriodThatBeganIt) {
    // A new notification area.
    fake.tray.shown.clear(), fake.window.events->OnTaskbarCreated();
    const IconHandle busy = fake.tray.LoadIcon(IDI_TRAY_BUSY);
    std::string images; // B busy, N normal
    for (char step : std::string("bB.t.Bt.et.e.Bt.t.e"))
        step == 'e'   ? theApp.EndBusy()
        : step == 't' ? fake.timers.Tick(CSiteMenuApp::kBlinkTimerId)
        : step == '.' ? void(images += fake.tray.shown.at(10).icon == busy ? 'B' : 'N')
                      : theApp.BeginBusy(step == 'B');
    EXPECT_EQ("NBNBNNB", images) << "the next blink goes on from the phase the last one left";
    EXPECT_EQ(-1, theApp.m_nBlinkLevel) << "no blinking period left";
    fake.timers.startSucceeds = false;
    theApp.BeginBusy(true), theApp.EndBusy(), theApp.EndBusy();
    EXPECT_EQ(0, fake.timers.unknownStops) << "a blink that could not start is not stopped";
}

} // namespace
