#include "tests/unit/AppFixture.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr unsigned kMouseMove = 0x200;
constexpr unsigned kLeftUp = 0x202;
constexpr unsigned kLeftDouble = 0x203;
constexpr unsigned kRightUp = 0x205;
constexpr unsigned kRightDouble = 0x206;

struct ClickCase {
    const char* name;
    bool hasMenu;
    bool busy;
    unsigned mouseMessage;
    bool foreground;
    bool tracked;
    bool opensFirstSite;
};

class TrayClick : public AppFixture, public testing::WithParamInterface<ClickCase> {
protected:
    void SetUp() override {
        fake.timers.SetSink(&theApp);
        fake.window.CreateHiddenWindow("Vellinor1", theApp.m_wndTray);
        g_pMenuData = new CMenuData;
        if (GetParam().hasMenu) {
            const std::string text =
                MenuText(5, "News\tnews.example/today\nBEGIN More\nA\ta.example\nEND\n");
            g_pMenuData->ParseText(0, text.data(), text.size());
            g_trayIcon.m_hMenu = g_pMenuData->GetMenuHandle();
        }
    }
};

TEST_P(TrayClick, DecidesWhatAMouseActionDoes) {
    const ClickCase& c = GetParam();
    if (c.busy)
        theApp.BeginBusy(false);
    fake.log.Clear();

    fake.window.DeliverTrayNotify(10, c.mouseMessage);
    // The double-click time passes.
    if (const unsigned click = fake.timers.RunningIdFor(CTrayIcon::kClickTimerId))
        fake.timers.Fire(click);

    EXPECT_EQ(c.foreground ? 1 : 0, fake.window.foregroundRequests);
    EXPECT_EQ(c.tracked ? 1u : 0u, fake.log.Count("TrackAtCursor"));
    EXPECT_EQ(c.tracked ? 1u : 0u, fake.log.Count("SetDefaultItem"));
    EXPECT_EQ(c.tracked ? 1 : 0, fake.window.nullMessages)
        << "menu must close on a click elsewhere";
    EXPECT_EQ(c.opensFirstSite ? std::vector<std::string>{"http://news.example/today"}
                               : std::vector<std::string>{},
              fake.shell.opened);
    EXPECT_EQ(c.busy ? 1 : 0, theApp.m_nBusyCount);
    EXPECT_TRUE(fake.timers.Running().empty())
        << "a menu never blinks the icon, and a click's wait ends with its tick";
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, TrayClick,
    testing::Values(
        ClickCase{"LeftClickTracks", true, false, kLeftUp, true, true, false},
        ClickCase{"RightClickTracks", true, false, kRightUp, true, true, false},
        ClickCase{"DoubleClickOpensFirstSite", true, false, kLeftDouble, true, false, true},
        ClickCase{"RightDoubleClickIgnored", true, false, kRightDouble, false, false, false},
        ClickCase{"MoveIgnored", true, false, kMouseMove, false, false, false},
        ClickCase{"NoMenuOnlyForeground", false, false, kLeftUp, true, false, false},
        ClickCase{"BusyOnlyForeground", true, true, kRightUp, true, false, false},
        ClickCase{"BusyDoubleClickOpensNothing", true, true, kLeftDouble, true, false, false}),
    [](const testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

TEST_F(AppFixture, OtherIconsAreNotOurs) {
    fake.window.CreateHiddenWindow("Vellinor1", theApp.m_wndTray);
    g_pMenuData = new CMenuData;
    const std::string text = MenuText(5, "News\tnews.example\n");
    g_pMenuData->ParseText(0, text.data(), text.size());
    g_trayIcon.m_hMenu = g_pMenuData->GetMenuHandle();

    fake.window.DeliverTrayNotify(11, kLeftUp);

    EXPECT_EQ(0, fake.window.foregroundRequests);
    EXPECT_EQ(0u, fake.log.Count("TrackAtCursor"));
}

TEST_F(AppFixture, DoubleClickOnASubMenuOrDividerFirstDoesNothing) {
    fake.window.CreateHiddenWindow("Vellinor1", theApp.m_wndTray);
    for (const char* body : {"BEGIN Sub\nA\ta.example\nEND\n", "-\nA\ta.example\n"}) {
        delete g_pMenuData;
        g_pMenuData = new CMenuData;
        const std::string text = MenuText(5, body);
        g_pMenuData->ParseText(0, text.data(), text.size());
        g_trayIcon.m_hMenu = g_pMenuData->GetMenuHandle();

        fake.window.DeliverTrayNotify(10, kLeftDouble);

        EXPECT_TRUE(fake.shell.opened.empty()) << body;
        EXPECT_EQ(0, theApp.m_nBusyCount);
    }
}

} // namespace

// A left click's pop-up waits for the double-click time, so that the two
// clicks of a double click reach the program before any menu loop runs.
class ClickSequence : public AppFixture {
protected:
    void SetUp() override {
        fake.timers.SetSink(&theApp);
        fake.window.doubleClickTimeMs = 430;
        fake.window.CreateHiddenWindow("Vellinor1", theApp.m_wndTray);
        UseMenu("News\tnews.example/today\nBEGIN More\nA\ta.example\nEND\n");
    }

    void UseMenu(const std::string& body) {
        delete g_pMenuData;
        g_pMenuData = new CMenuData;
        const std::string text = MenuText(5, body);
        g_pMenuData->ParseText(0, text.data(), text.size());
        g_trayIcon.m_hMenu = g_pMenuData->GetMenuHandle();
    }

    void Deliver(std::initializer_list<unsigned> mouseMessages) {
        for (unsigned message : mouseMessages)
            fake.window.DeliverTrayNotify(10, message);
    }

    unsigned ClickTimer() const { return fake.timers.RunningIdFor(CTrayIcon::kClickTimerId); }

    std::size_t MenusShown() const { return fake.log.Count("TrackAtCursor"); }
};

TEST_F(ClickSequence, LeftClickShowsThePopUpOnceTheDoubleClickTimeHasPassed) {
    Deliver({kLeftUp});

    EXPECT_EQ(0u, MenusShown());
    ASSERT_NE(0u, ClickTimer());
    EXPECT_EQ(430u, fake.timers.Running().at(ClickTimer()).periodMs);
    EXPECT_EQ(0, theApp.m_nBusyCount) << "nothing is going on while the click waits";

    fake.timers.Fire(ClickTimer());

    EXPECT_EQ(1u, MenusShown());
    EXPECT_EQ(0u, ClickTimer()) << "one pop-up per click";
    EXPECT_EQ(0, theApp.m_nBusyCount);
}

TEST_F(ClickSequence, DoubleClickOpensTheFirstSiteAndShowsNoPopUp) {
    // As the system reports a double click: up, double click, up.
    Deliver({kLeftUp, kLeftDouble, kLeftUp});

    EXPECT_EQ(std::vector<std::string>{"http://news.example/today"}, fake.shell.opened);
    EXPECT_EQ(0u, ClickTimer());
    EXPECT_EQ(0u, MenusShown());
    EXPECT_EQ(0, fake.timers.UnknownStops());

    // The next click is a click again.
    Deliver({kLeftUp});
    fake.timers.Fire(ClickTimer());
    EXPECT_EQ(1u, MenusShown());
    EXPECT_EQ(1u, fake.shell.opened.size());
}

TEST_F(ClickSequence, DoubleClickWithASubMenuFirstDoesNothingAtAll) {
    UseMenu("BEGIN More\nA\ta.example\nEND\nNews\tnews.example\n");

    Deliver({kLeftUp, kLeftDouble, kLeftUp});

    EXPECT_TRUE(fake.shell.opened.empty());
    EXPECT_EQ(0u, ClickTimer());
    EXPECT_EQ(0u, MenusShown());
}

TEST_F(ClickSequence, DoubleClickWhileBusyLeavesNoClickBehind) {
    theApp.BeginBusy(false);
    Deliver({kLeftUp, kLeftDouble});
    theApp.EndBusy();
    Deliver({kLeftUp});

    EXPECT_EQ(0u, ClickTimer());
    EXPECT_TRUE(fake.shell.opened.empty());
    EXPECT_EQ(0u, MenusShown());
}

TEST_F(ClickSequence, WorkBegunDuringTheWaitKeepsThePopUpAway) {
    Deliver({kLeftUp});
    theApp.BeginBusy(true);

    fake.timers.Fire(ClickTimer());

    EXPECT_EQ(0u, MenusShown());
    EXPECT_EQ(0u, ClickTimer());
    theApp.EndBusy();
}

TEST_F(ClickSequence, RightClickShowsAtOnceAndReplacesAWaitingLeftClick) {
    Deliver({kLeftUp, kRightUp});

    EXPECT_EQ(1u, MenusShown());
    EXPECT_EQ(0u, ClickTimer()) << "the left click's pop-up would come a second time";
}

TEST_F(ClickSequence, WithoutATimerTheLeftClickShowsAtOnce) {
    fake.timers.startSucceeds = false;

    Deliver({kLeftUp});

    EXPECT_EQ(1u, MenusShown());
}
