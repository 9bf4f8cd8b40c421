#include "browser/BrowserAddress.h"
#include "res/resource.h"
#include "tests/unit/AppFixture.h"

#include <string_view>

namespace {

// The build's web page, which the resource script makes the link's caption.
constexpr char kLinkCaption[] = VELLINOR_HOME_PAGE;

class AboutBox : public AppFixture {
protected:
    AboutBox() {
        StoreMenu(MenuText(7, "News\tnews.example\n"));
        EXPECT_TRUE(Start());
    }
    // The template's caption of the link button, which the fake cannot read.
    static void ShowTemplateCaption(FakeDialog& about) { about.SetText(IDC_LINK, kLinkCaption); }
};

TEST_F(AboutBox, ShowsTitleFontAndContactAndOpensTheLinkEachTimeWhileStayingOpen) {
    fake.dialogs.Script(IDD_ABOUT, [this](FakeDialog& about) {
        ShowTemplateCaption(about);
        EXPECT_TRUE(about.Controls().at(IDC_TITLE).titleFont);
        EXPECT_EQ(VELLINOR_CONTACT, about.GetText(IDC_EMAIL));
        about.Press(IDC_LINK);
        about.Press(IDC_LINK);
        EXPECT_TRUE(about.IsOpen());
        about.PressOk();
    });

    fake.window.DeliverCommand(ID_ABOUT);

    const std::string opened = std::string("http://") + kLinkCaption;
    EXPECT_EQ((std::vector<std::string>{opened, opened}), fake.shell.opened);
    EXPECT_EQ(DialogHandler::kOk, fake.dialogs.runs.at(0).result);
}

// The caption is the build's web page, which has no scheme: it must pass the
// address rule, or the link would refuse to open it.
TEST(AboutBoxLink, TheBuildsWebPageIsAnAddressTheLinkOpens) {
    EXPECT_TRUE(AddressToOpen(kLinkCaption).has_value()) << kLinkCaption;
}

TEST_F(AboutBox, TheLinkFollowsTheNewWindowPreference) {
    g_settings.SetOpenNewBrowserWindow(true);
    fake.registry.Key(RegistryRoot::ClassesRoot, ".htm").SetString("", "Page");
    fake.registry.Key(RegistryRoot::ClassesRoot, "Page\\shell\\open\\command")
        .SetString("", "web.exe %1");
    fake.dialogs.Script(IDD_ABOUT, [](FakeDialog& about) {
        ShowTemplateCaption(about);
        about.Press(IDC_LINK);
        about.PressEscape();
    });

    fake.window.DeliverCommand(ID_ABOUT);

    ASSERT_EQ(1u, fake.shell.started.size());
    EXPECT_EQ(std::string("web.exe http://") + kLinkCaption, fake.shell.started[0].commandLine);
}

struct OpenDialogCase {
    const char* name;
    int command;
    unsigned templateId;
};

class DialogFromTheMenu : public AboutBox, public testing::WithParamInterface<OpenDialogCase> {};

TEST_P(DialogFromTheMenu, BlinksAndBlocksTheTrayMenuUntilItCloses) {
    const unsigned templateId = GetParam().templateId;
    fake.dialogs.Script(templateId, [this](FakeDialog& dialog) {
        EXPECT_EQ(1, theApp.m_nBusyCount);
        EXPECT_NE(0u, fake.timers.RunningIdFor(CSiteMenuApp::kBlinkTimerId));
        fake.window.DeliverTrayNotify(10, 0x205);
        EXPECT_EQ(0u, fake.log.Count("TrackAtCursor")) << "no menu while a dialog is open";
        dialog.PressCancel();
    });

    fake.window.DeliverCommand(GetParam().command);

    EXPECT_EQ(1u, fake.dialogs.runs.size());
    EXPECT_EQ(0, theApp.m_nBusyCount);
    EXPECT_EQ(1u, fake.timers.Running().size()) << "only the hourly timer is left";
    EXPECT_EQ(static_cast<unsigned>(IDI_TRAY), fake.tray.ShownResource(10));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogFromTheMenu,
                         testing::Values(OpenDialogCase{"About", ID_ABOUT, IDD_ABOUT},
                                         OpenDialogCase{"Preferences", ID_PREFERENCES,
                                                        IDD_PREFERENCES}),
                         [](const testing::TestParamInfo<OpenDialogCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(AboutBox, PreferencesFromTheMenuOpenWithTheStoredSettingsAndCancelStoresNothing) {
    g_settings.SetQueryInterval(2);
    g_settings.SetOpenNewBrowserWindow(true);
    g_settings.SetPromptBeforeCheck(false);
    fake.log.Clear();
    fake.dialogs.Script(IDD_PREFERENCES, [](FakeDialog& preferences) {
        EXPECT_TRUE(preferences.IsChecked(IDC_WEEKLY));
        EXPECT_TRUE(preferences.IsChecked(IDC_NEW_WINDOW));
        EXPECT_FALSE(preferences.IsChecked(IDC_PROMPT_CHECK));
        EXPECT_TRUE(preferences.IsChecked(IDC_PROMPT_CONNECT));
        EXPECT_TRUE(preferences.IsVisible(FakeDialog::kCancelButton));
        preferences.Choose(IDC_MONTHLY);
        preferences.PressCancel();
    });

    fake.window.DeliverCommand(ID_PREFERENCES);

    EXPECT_EQ(0u, fake.log.Count("RegSetValue"));
    EXPECT_EQ(2, g_settings.m_nQueryInterval);
}

} // namespace
