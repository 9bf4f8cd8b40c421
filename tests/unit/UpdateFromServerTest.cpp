// A check of the server: what the user is told, what is recorded, and the
// progress window that ticks its steps meanwhile.
#include "tests/unit/AppFixture.h"

namespace {

const std::string kMenu9 = MenuText("9", "News\tnews.example\n");

// The progress boxes as last painted: x ticked, o enabled, - disabled, ? never set.
std::string Boxes(const std::map<int, FakeDialog::Control>& painted) {
    std::string boxes;
    for (int id : {IDC_CONNECTING, IDC_RETRIEVING, IDC_CLOSING, IDC_BUILDING}) {
        const auto box = painted.find(id);
        boxes += box == painted.end() ? '?' : "-ox"[box->second.checked ? 2 : box->second.enabled];
    }
    return boxes;
}

// Name, the server's answer, the message shown (0 when the internet layer's own
// text is), whether it installs and records the query, the progress boxes.
const std::tuple<const char*, FakeHttp::Answer, unsigned, bool, bool, const char*> kOutcomes[] = {
    {"NewMenu", {kMenu9}, IDS_NEW_MENU_LOADED, true, true, "xxxx"},
    {"SameNumber", {MenuText("4", "A\ta\n"), 299}, IDS_NO_NEW_MENU, false, true, "xxxx"},
    {"NewFormat", {"2\n2.1.2.5\n9\nBEGIN S\nA\ta\nEND\n"}, IDS_NEW_FORMAT, false, true, "xxxo"},
    {"ErrorPage", {kMenu9, 300}, IDS_READ_FAILED, false, false, "xxxo"},
    {"Late", {kMenu9, 200, FakeHttp::kReadTimesOut, "x"}, IDS_NO_CONNECTION, false, false, "xo--"},
    {"ReadFails", {kMenu9, 200, FakeHttp::kReadFails, "reset"}, 0, false, false, "xo--"},
    {"NoSession", {kMenu9, 200, FakeHttp::kNoSession}, IDS_COMMAND_FAILED, false, false, "o---"},
};

// A query time is recorded only when the server answered with a menu: the
// others keep the start time although the clock has moved on.
TEST_F(AppTest, TellsTheOutcomeRecordsTheQueryAndTicksTheStepsOfAProgressWindowItCanDoWithout) {
    fake.clock.now = kStart + 1000;
    for (const auto& [name, server, message, installs, recordsQuery, boxes] : kOutcomes) {
        SCOPED_TRACE(name);
        fake.http.next = server, g_settings.m_timeLastQuery = kStart;
        fake.messages.shown.clear(), fake.messages.texts.clear(), fake.modeless.closed.clear();
        EXPECT_EQ(installs, CMenuData().UpdateFromServer(4, true));
        const unsigned icon = installs || message == IDS_NO_NEW_MENU ? kInformation : kStop;
        EXPECT_EQ((message ? Shown{{message, icon}} : Shown{}), fake.messages.shown);
        using Texts = std::vector<std::pair<std::string, unsigned>>;
        EXPECT_EQ((message ? Texts{} : Texts{{"reset", kStop}}), fake.messages.texts);
        EXPECT_EQ(recordsQuery ? kStart + 1000 : kStart, g_settings.m_timeLastQuery);
        EXPECT_EQ(boxes, Boxes(fake.modeless.closed.at(0).painted));
        EXPECT_TRUE(fake.window.enabled);
    }
    EXPECT_EQ(65536u, fake.http.largestRead) << "only the first 64 KiB of a body are read";
    fake.modeless.createSucceeds = false, fake.http.next = {kMenu9};
    EXPECT_TRUE(CMenuData().UpdateFromServer(4, true)) << "without a progress window";
    EXPECT_TRUE(fake.window.enabled);
}

} // namespace
