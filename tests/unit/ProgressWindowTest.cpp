// The progress window as the user sees it while an update holds the thread.
#include "res/resource.h"
#include "tests/unit/AppFixture.h"

#include <algorithm>

namespace {

class ProgressWindow : public AppFixture {
protected:
    ProgressWindow() {
        fake.window.CreateHiddenWindow("Vellinor1", theApp.m_wndTray);
        fake.modeless.disabledAtCreation[IDD_PROGRESS] = {IDC_RETRIEVING, IDC_CLOSING,
                                                          IDC_BUILDING};
    }

    // Where the first line starting with prefix stands in the call log.
    std::size_t FirstCall(const std::string& prefix) const {
        const auto& lines = fake.log.Lines();
        return static_cast<std::size_t>(
            std::find_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }) -
            lines.begin());
    }
};

// Nothing runs a message loop while the server is asked, so a window left for
// its first step to paint shows nothing for as long as the server keeps quiet.
TEST_F(ProgressWindow, IsPaintedAsItOpensBeforeTheServerIsAsked) {
    fake.http.next.cannotOpen = true;

    CMenuData fresh;
    EXPECT_FALSE(fresh.UpdateFromServer(4));

    ASSERT_EQ(1u, fake.modeless.windows.size());
    const auto& window = fake.modeless.windows[0];
    ASSERT_EQ(1u, window.redrawn.size()) << "painted once, with no step to tick";
    EXPECT_LT(FirstCall("CreateModeless 129"), FirstCall("Redraw 129"));
    EXPECT_LT(FirstCall("Redraw 129"), FirstCall("OpenSession"));
    const FakeControlStates& shown = window.redrawn[0];
    for (const int box : {IDC_CONNECTING, IDC_RETRIEVING, IDC_CLOSING, IDC_BUILDING}) {
        ASSERT_TRUE(shown.count(box)) << box;
        EXPECT_FALSE(shown.at(box).checked) << box;
        EXPECT_EQ(box == IDC_CONNECTING, shown.at(box).enabled) << box;
    }
}

TEST_F(ProgressWindow, IsNotPaintedWhenItCouldNotBeCreated) {
    fake.modeless.createSucceeds = false;
    fake.http.next.cannotOpen = true;

    CMenuData fresh;
    EXPECT_FALSE(fresh.UpdateFromServer(4));

    EXPECT_EQ(0u, fake.log.Count("Redraw"));
    EXPECT_EQ(0u, fake.window.sleeps.size());
}

} // namespace
