#include "res/resource.h"
#include "tests/unit/AppFixture.h"

#include <functional>

namespace {

struct OutcomeCase {
    const char* name;
    std::function<void(FakeHttp::Answer&)> server;
    unsigned message;
    unsigned icon;
    bool recordsQuery;
    bool returns;
    int ticks;
};

const std::string kMenu9 = "1\n2.1.2.5\n9\nBEGIN Sites\nNews\tnews.example\nEND\n";

class UpdateFixture : public AppFixture {
protected:
    UpdateFixture() {
        fake.window.CreateHiddenWindow("Vellinor1", theApp.m_wndTray);
        fake.modeless.disabledAtCreation[IDD_PROGRESS] = {IDC_RETRIEVING, IDC_CLOSING,
                                                          IDC_BUILDING};
        fake.clock.now += 1000; // so a recorded query differs from the start time
    }
};

class UpdateOutcome : public UpdateFixture, public testing::WithParamInterface<OutcomeCase> {};

TEST_P(UpdateOutcome, TellsTheUserAndRecordsTheQueryAsTheOutcomeSays) {
    const OutcomeCase& c = GetParam();
    c.server(fake.http.next);
    const TimeValue startTime = g_settings.m_timeLastQuery;

    CMenuData fresh;
    EXPECT_EQ(c.returns, fresh.UpdateFromServer(4));

    EXPECT_EQ((std::vector<std::pair<unsigned, unsigned>>{{c.message, c.icon}}),
              fake.messages.shown);
    EXPECT_EQ(c.recordsQuery ? fake.clock.now : startTime, g_settings.m_timeLastQuery);
    EXPECT_EQ(c.recordsQuery, fake.registry.SettingsKey().Dword("LastQuery").has_value());
    ASSERT_EQ(1u, fake.modeless.windows.size());
    const auto& window = fake.modeless.windows[0];
    EXPECT_FALSE(window.open);
    ASSERT_EQ(static_cast<std::size_t>(c.ticks) + 1, window.redrawn.size())
        << "painted as it opens and at each tick";
    EXPECT_EQ(static_cast<std::size_t>(c.ticks), fake.window.sleeps.size());
    const int boxes[] = {IDC_CONNECTING, IDC_RETRIEVING, IDC_CLOSING, IDC_BUILDING};
    if (c.ticks > 0) {
        const FakeControlStates& last = window.redrawn.back();
        for (int box = 0; box < 4; ++box)
            EXPECT_EQ(box < c.ticks, last.count(boxes[box]) && last.at(boxes[box]).checked) << box;
    }
    EXPECT_TRUE(fake.window.IsHiddenWindowEnabled());
    EXPECT_EQ(0, theApp.m_nBusyCount);
    EXPECT_TRUE(fake.timers.Running().empty());
    if (c.returns)
        EXPECT_EQ(9, fresh.m_wMenuNumber);
    else
        EXPECT_TRUE(fresh.m_rootPopUp.m_arrChildren.empty()) << "entries of a menu not taken";
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, UpdateOutcome,
    testing::Values(
        OutcomeCase{"NewMenu", [](FakeHttp::Answer& a) { a.body = kMenu9; }, IDS_NEW_MENU_LOADED,
                    0x40, true, true, 4},
        OutcomeCase{"SameNumber",
                    [](FakeHttp::Answer& a) { a.body = "1\n2.1.2.5\n4\nBEGIN S\nA\ta\nEND\n"; },
                    IDS_NO_NEW_MENU, 0x40, true, false, 4},
        OutcomeCase{"NewFormat",
                    [](FakeHttp::Answer& a) { a.body = "2\n2.1.2.5\n9\nBEGIN S\nA\ta\nEND\n"; },
                    IDS_NEW_FORMAT, 0x10, true, false, 3},
        OutcomeCase{"NoConnection", [](FakeHttp::Answer& a) { a.cannotOpen = true; },
                    IDS_NO_CONNECTION, 0x10, false, false, 0},
        // Connected, then the body stops coming: the same as no connection,
        // not the internet layer's text.
        OutcomeCase{"BodyTimedOut",
                    [](FakeHttp::Answer& a) {
                        a.body = kMenu9;
                        a.readTimesOut = true;
                        a.readError = "The operation timed out";
                    },
                    IDS_NO_CONNECTION, 0x10, false, false, 1},
        OutcomeCase{"TwentyBytes", [](FakeHttp::Answer& a) { a.body = std::string(20, 'x'); },
                    IDS_READ_FAILED, 0x10, false, false, 3},
        OutcomeCase{"FiveLines",
                    [](FakeHttp::Answer& a) { a.body = "1\n2.1.2.5\n9\nBEGIN Sites\nEND\n"; },
                    IDS_READ_FAILED, 0x10, false, false, 3},
        OutcomeCase{"NoEntries",
                    [](FakeHttp::Answer& a) { a.body = "1\n2.1.2.5\n9\nBEGIN Sites\nEND\n\n"; },
                    IDS_READ_FAILED, 0x10, false, false, 3},
        OutcomeCase{"OnlyLinesWithoutTabs",
                    [](FakeHttp::Answer& a) {
                        a.body = "1\n2.1.2.5\n9\nBEGIN Sites\nNews    news.example\nEND\n";
                    },
                    IDS_READ_FAILED, 0x10, false, false, 3},
        OutcomeCase{"ByteOrderMark", [](FakeHttp::Answer& a) { a.body = "\xEF\xBB\xBF" + kMenu9; },
                    IDS_NEW_MENU_LOADED, 0x40, true, true, 4},
        OutcomeCase{"ErrorPage",
                    [](FakeHttp::Answer& a) {
                        a.status = 404;
                        a.body = kMenu9;
                    },
                    IDS_READ_FAILED, 0x10, false, false, 3},
        OutcomeCase{"ServerError",
                    [](FakeHttp::Answer& a) {
                        a.status = 500;
                        a.body = kMenu9;
                    },
                    IDS_READ_FAILED, 0x10, false, false, 3}),
    [](const testing::TestParamInfo<OutcomeCase>& info) { return std::string(info.param.name); });

struct TextCase {
    const char* name;
    std::string body; // the first site's caption, then the rest of the menu
    std::string caption;
};

class UpdateTextOfBody : public UpdateFixture, public testing::WithParamInterface<TextCase> {};

TEST_P(UpdateTextOfBody, OnlyAByteOrderMarkMakesTheTextUtf8ForTheCodePage) {
    const TextCase& c = GetParam();
    fake.http.next.body = c.body + "\tbooks.example\nEND\n";
    CMenuData fresh;
    ASSERT_TRUE(fresh.UpdateFromServer(4));
    ASSERT_EQ(1u, fresh.m_rootPopUp.m_arrChildren.size());
    EXPECT_EQ(c.caption, fresh.m_rootPopUp.m_arrChildren[0]->m_strCaption);
}

const std::string kHead = "1\n2.1.2.5\n9\nBEGIN Sites\n";
const std::string kMark = "\xEF\xBB\xBF";

INSTANTIATE_TEST_SUITE_P(
    Texts, UpdateTextOfBody,
    testing::Values(TextCase{"Ansi",
                             kHead + "B\xFC"
                                     "cher",
                             "B\xFC"
                             "cher"},
                    TextCase{"Utf8WithoutMarkStaysAsItIs",
                             kHead + "B\xC3\xBC"
                                     "cher",
                             "B\xC3\xBC"
                             "cher"},
                    TextCase{"Utf8WithMark",
                             kMark + kHead +
                                 "B\xC3\xBC"
                                 "cher",
                             "B\xFC"
                             "cher"},
                    TextCase{"NotInTheCodePage", kMark + kHead + "\xE2\x82\xAC 5", "? 5"},
                    TextCase{"MalformedAfterTheMark", kMark + kHead + "a\xFC\xC3z", "a??z"},
                    // An overlong form, an encoded surrogate, beyond U+10FFFF.
                    TextCase{"NotCharacters",
                             kMark + kHead +
                                 "a\xE0\x80\xAF"
                                 "b\xED\xA0\x80"
                                 "c\xF4\x90\x80\x80"
                                 "d",
                             "a?b?c?d"},
                    // U+10000 reaches the text service as a surrogate pair.
                    TextCase{"BeyondTheBasicPlane", kMark + kHead + "a\xF0\x90\x80\x80z", "a??z"},
                    TextCase{"MarkOnlyAtTheStart", kHead + kMark + "x", kMark + "x"}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

class UpdateFailure : public UpdateFixture {};

TEST_F(UpdateFailure, AnInternetErrorIsShownWithItsOwnTextAndRecordsNothing) {
    fake.http.next.readFails = true;
    fake.http.next.readError = "The connection with the server was reset";
    const TimeValue startTime = g_settings.m_timeLastQuery;

    CMenuData fresh;
    EXPECT_FALSE(fresh.UpdateFromServer(4));

    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ((std::vector<std::pair<std::string, unsigned>>{
                  {"The connection with the server was reset", 0x10}}),
              fake.messages.shownTexts);
    EXPECT_EQ(startTime, g_settings.m_timeLastQuery);
    EXPECT_FALSE(fake.modeless.windows.at(0).open);
    EXPECT_TRUE(fake.window.IsHiddenWindowEnabled());
    EXPECT_EQ(0, theApp.m_nBusyCount);
}

TEST_F(UpdateFailure, AnInternetErrorWithoutTextIsCommandFailed) {
    fake.http.next.sessionFails = true;
    CMenuData fresh;
    EXPECT_FALSE(fresh.UpdateFromServer(4));
    EXPECT_EQ((std::vector<std::pair<unsigned, unsigned>>{{IDS_COMMAND_FAILED, 0x10}}),
              fake.messages.shown);
    EXPECT_FALSE(fake.registry.SettingsKey().Dword("LastQuery").has_value());
}

TEST_F(UpdateFailure, OnlyTheFirst64KiBOfALongBodyAreUsed) {
    // A menu whose root END lies beyond 65,536 bytes: the cut leaves the
    // block open, and the whole lines before the cut are the menu.
    const std::string header = "1\n2.1.2.5\n9\nBEGIN Sites\n";
    const std::string line = "Site\thttp://example.com/page\n";
    std::string body = header;
    while (body.size() < 70000)
        body += line;
    body += "Late\tlate.example\nEND\n";
    fake.http.next.body = body;

    CMenuData fresh;
    EXPECT_TRUE(fresh.UpdateFromServer(4));

    EXPECT_EQ(65536u, fake.http.largestRead);
    EXPECT_EQ((65536u - header.size()) / line.size(), fresh.m_rootPopUp.m_arrChildren.size());
}

TEST_F(UpdateFailure, TheRequestUsesTheProgramNameAndThePolicyAddress) {
    fake.registry.Key(RegistryRoot::LocalMachine, "Software\\Policies\\Vellinor")
        .SetString("MenuUrl", "http://127.0.0.1:8080/velweb/sites.txt");
    fake.http.next.cannotOpen = true;
    CMenuData fresh;
    fresh.UpdateFromServer(0);
    EXPECT_EQ(1u, fake.log.Count("OpenSession Vellinor"));
    EXPECT_EQ(1u, fake.log.Count("OpenUrl http://127.0.0.1:8080/velweb/sites.txt"));
}

TEST_F(UpdateFailure, APolicyThatIsNoHttpAddressGivesWayToTheBuiltInAddress) {
    const std::string builtIn = VELLINOR_MENU_URL;
    const std::pair<const char*, std::string> cases[] = {
        {nullptr, builtIn},
        {"", builtIn},
        {"menu.example/sites.txt", builtIn},
        {"notepad.exe", builtIn},
        {"\\\\server\\share\\sites.txt", builtIn},
        {"file:///C:/sites.txt", builtIn},
        {"ftp://menu.example/sites.txt", builtIn},
        {"http://", builtIn},
        {"HTTPS://menu.example/sites.txt", "HTTPS://menu.example/sites.txt"},
    };
    for (const auto& [policy, used] : cases) {
        if (policy != nullptr)
            fake.registry.Key(RegistryRoot::LocalMachine, "Software\\Policies\\Vellinor")
                .SetString("MenuUrl", policy);
        fake.http.next.cannotOpen = true;
        const std::size_t before = fake.log.Count("OpenUrl " + used);
        CMenuData fresh;
        fresh.UpdateFromServer(0);
        EXPECT_EQ(before + 1, fake.log.Count("OpenUrl " + used)) << (policy ? policy : "(none)");
    }
}

TEST_F(UpdateFailure, AnOwnerDisabledBeforeStaysDisabled) {
    fake.window.EnableHiddenWindow(false);
    fake.http.next.cannotOpen = true;
    CMenuData fresh;
    fresh.UpdateFromServer(0);
    EXPECT_FALSE(fake.window.IsHiddenWindowEnabled());
}

TEST_F(UpdateFailure, AProgressWindowThatCannotBeCreatedChangesNothingElse) {
    fake.modeless.createSucceeds = false;
    fake.http.next.body = kMenu9;
    CMenuData fresh;
    EXPECT_TRUE(fresh.UpdateFromServer(4));
    EXPECT_TRUE(fake.window.IsHiddenWindowEnabled());
    EXPECT_EQ(0, theApp.m_nBusyCount);
}

} // namespace
