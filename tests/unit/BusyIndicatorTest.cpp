#include "res/resource.h"
#include "tests/unit/AppFixture.h"

namespace {

class BusyIndicator : public AppFixture {
protected:
    BusyIndicator() {
        theApp.m_hIconNormal = fake.tray.LoadIcon(IDI_TRAY);
        theApp.m_hIconBusy = fake.tray.LoadIcon(IDI_TRAY_BUSY);
        fake.timers.SetSink(&theApp);
        g_trayIcon.Add(theApp.m_hIconNormal, "Vellinor");
    }
    unsigned ShownImage() const { return fake.tray.ShownResource(10); }
    unsigned BlinkTimer() const { return fake.timers.RunningIdFor(CSiteMenuApp::kBlinkTimerId); }
};

TEST_F(BusyIndicator, OneBlinkingPeriodAlternatesOnceASecondAndEndsOnTheNormalImage) {
    theApp.BeginBusy(true);
    ASSERT_NE(0u, BlinkTimer());
    EXPECT_EQ(1000u, fake.timers.Running().at(BlinkTimer()).periodMs);
    EXPECT_EQ(IDI_TRAY, ShownImage()) << "nothing changes before the first second";

    std::vector<unsigned> images;
    for (int tick = 0; tick < 3; ++tick) {
        fake.timers.Fire(BlinkTimer());
        images.push_back(ShownImage());
    }
    EXPECT_EQ((std::vector<unsigned>{IDI_TRAY_BUSY, IDI_TRAY, IDI_TRAY_BUSY}), images);

    theApp.EndBusy();
    EXPECT_EQ(0u, BlinkTimer());
    EXPECT_TRUE(fake.timers.Running().empty());
    EXPECT_EQ(IDI_TRAY, ShownImage());
    EXPECT_EQ(0, theApp.m_nBusyCount);
    EXPECT_EQ(-1, theApp.m_nBlinkLevel);
}

TEST_F(BusyIndicator, NestedBlinkingPeriodsShareOneTimerUntilTheOutermostEnds) {
    theApp.BeginBusy(true); // a check
    const unsigned timer = BlinkTimer();
    theApp.BeginBusy(true); // its progress window
    EXPECT_EQ(timer, BlinkTimer());
    EXPECT_EQ(1u, fake.timers.Running().size());
    theApp.EndBusy();
    EXPECT_EQ(timer, BlinkTimer()) << "the inner period did not start the blink";
    theApp.EndBusy();
    EXPECT_TRUE(fake.timers.Running().empty());
    EXPECT_EQ(0, fake.timers.UnknownStops());
}

TEST_F(BusyIndicator, ANonBlinkingPeriodNeverTouchesTimerOrImage) {
    const std::size_t traysBefore = fake.tray.calls.size();
    theApp.BeginBusy(false);
    theApp.EndBusy();
    EXPECT_TRUE(fake.timers.Running().empty());
    EXPECT_EQ(traysBefore, fake.tray.calls.size());
}

TEST_F(BusyIndicator, ABlinkBegunInsideThePopUpStopsWithItsOwnPeriod) {
    theApp.BeginBusy(false); // the pop-up menu
    theApp.BeginBusy(true);
    EXPECT_EQ(2, theApp.m_nBlinkLevel);
    theApp.EndBusy();
    EXPECT_TRUE(fake.timers.Running().empty());
    EXPECT_EQ(1, theApp.m_nBusyCount);
    theApp.EndBusy();
    EXPECT_EQ(0, theApp.m_nBusyCount);
}

TEST_F(BusyIndicator, ALaterBlinkContinuesFromThePhaseTheLastOneLeft) {
    theApp.BeginBusy(true);
    fake.timers.Fire(BlinkTimer()); // busy image
    theApp.EndBusy();               // back to normal, phase kept
    theApp.BeginBusy(true);
    fake.timers.Fire(BlinkTimer());
    EXPECT_EQ(IDI_TRAY, ShownImage()) << "first tick of the second blink shows the normal image";
    fake.timers.Fire(BlinkTimer());
    EXPECT_EQ(IDI_TRAY_BUSY, ShownImage());
    theApp.EndBusy();
}

TEST_F(BusyIndicator, ABlinkTimerThatCannotStartStillEndsCleanly) {
    fake.timers.startSucceeds = false;
    theApp.BeginBusy(true);
    EXPECT_EQ(0u, theApp.m_nBlinkTimer);
    EXPECT_EQ(1, theApp.m_nBlinkLevel);
    theApp.EndBusy();
    EXPECT_EQ(0, fake.timers.UnknownStops());
    EXPECT_EQ(IDI_TRAY, ShownImage());
    EXPECT_EQ(-1, theApp.m_nBlinkLevel);
}

} // namespace
