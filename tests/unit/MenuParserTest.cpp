#include "menu/MenuData.h"
#include "menu/MenuSite.h"
#include "res/resource.h"
#include "tests/fake/FakePlatform.h"
#include "tests/unit/MenuTextInput.h"
#include "tests/unit/MenuTreePicture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

using namespace std::string_literals;

namespace {

class MenuParserTest : public testing::Test {
protected:
    int Parse(std::string_view text, std::uint16_t held = 36) {
        return ParseExactly(menu, held, text);
    }
    std::string Tree() const { return DrawMenuTree(menu.m_rootPopUp); }
    std::size_t MessagesShown() const { return fake.messages.shown.size(); }

    FakePlatform fake;
    CMenuData menu;
};

// The root block "Sites" holding body, under a header with menu number 37.
std::string SitesMenu(std::string_view body) {
    return WithHeader("BEGIN Sites\n" + std::string(body));
}

// Applies change to every line of the example, keeping the line feeds.
std::string EachExampleLine(const std::function<std::string(std::string)>& change) {
    std::string text;
    std::size_t start = 0;
    while (start < kExampleMenuText.size()) {
        const std::size_t feed = kExampleMenuText.find('\n', start);
        text += change(std::string(kExampleMenuText.substr(start, feed - start))) + "\n";
        start = feed + 1;
    }
    return text;
}

TEST_F(MenuParserTest, ExampleGivesTheDocumentedTree) {
    EXPECT_EQ(0, Parse(kExampleMenuText, 36));
    EXPECT_EQ(37, menu.m_wMenuNumber);
    EXPECT_EQ(kExampleMenuTree, Tree());
    EXPECT_EQ(0u, MessagesShown());
    EXPECT_EQ(nullptr, menu.m_hMenu);
}

TEST_F(MenuParserTest, NewTextReplacesTheTreeAndItsMenu) {
    ASSERT_EQ(0, Parse(kExampleMenuText));
    ASSERT_NE(nullptr, menu.GetMenuHandle());
    ASSERT_EQ(0, Parse(SitesMenu("Other\tother.htm\nEND\n"), 0));
    EXPECT_EQ("root [Sites]\n  site [Other] [other.htm] 0\n", Tree());
    EXPECT_EQ(nullptr, menu.m_hMenu);
    EXPECT_EQ(0u, fake.menus.LiveMenuCount());
    EXPECT_EQ(0, fake.menus.DeadHandleUses());
}

TEST_F(MenuParserTest, ReadsExactlyTheGivenLength) {
    // The buffer goes on past the length with one more complete line.
    const std::string text = SitesMenu("A\ta\nB\tb\nC\tc\n");
    const std::size_t beforeSiteC = text.find("C\t");
    EXPECT_EQ(0, menu.ParseText(0, text.data(), beforeSiteC));
    EXPECT_EQ("root [Sites]\n  site [A] [a] 0\n  site [B] [b] 0\n", Tree());
}

// Line ends and indentation carry no meaning.
struct LineStyle {
    const char* name;
    std::function<std::string(std::string)> change;
};

class LineStyleTest : public MenuParserTest, public testing::WithParamInterface<LineStyle> {};

TEST_P(LineStyleTest, GivesTheExampleTree) {
    const std::string text = EachExampleLine(GetParam().change);
    EXPECT_EQ(0, Parse(text, 36)) << text;
    EXPECT_EQ(37, menu.m_wMenuNumber);
    EXPECT_EQ(kExampleMenuTree, Tree());
    EXPECT_EQ(0u, MessagesShown());
}

INSTANTIATE_TEST_SUITE_P(
    MenuParser, LineStyleTest,
    testing::Values(LineStyle{"CrLf", [](std::string line) { return line + "\r"; }},
                    LineStyle{"SpaceIndent", [](std::string line) { return "    " + line; }},
                    LineStyle{"TabIndent", [](std::string line) { return "\t\t" + line; }},
                    LineStyle{"TrailingBlanks", [](std::string line) { return line + " \t "; }},
                    LineStyle{"EveryTrimmedByte",
                              [](std::string line) { return " \t\v\f\r" + line + "\r\f\v\t "; }}),
    [](const testing::TestParamInfo<LineStyle>& info) { return info.param.name; });

// How many lines a text has decides whether it is read at all.
struct LineCountCase {
    const char* name;
    std::string text;
    int result;
    std::uint16_t number;
    const char* tree;
};

class LineCountTest : public MenuParserTest, public testing::WithParamInterface<LineCountCase> {};

TEST_P(LineCountTest, GivesResult) {
    const LineCountCase& c = GetParam();
    // A tree from an earlier text must not survive any outcome.
    ASSERT_EQ(0, Parse(kExampleMenuText));
    EXPECT_EQ(c.result, Parse(c.text, 0));
    EXPECT_EQ(c.number, menu.m_wMenuNumber);
    EXPECT_EQ(c.tree, Tree());
}

INSTANTIATE_TEST_SUITE_P(
    MenuParser, LineCountTest,
    testing::Values(
        LineCountCase{"Empty", "", 4, 0, "root [Sites]\n"},
        LineCountCase{"NoLineFeedAtAll", "1", 4, 0, "root [Sites]\n"},
        LineCountCase{"FiveLines", "1\n2.1.2.5\n37\nBEGIN\nEND\n", 4, 0, "root [Sites]\n"},
        LineCountCase{"SixthLineWithoutLineFeed", "1\n2.1.2.5\n37\nBEGIN\nA\ta\nEND", 4, 0,
                      "root [Sites]\n"},
        LineCountCase{"FiveLinesAndAnEnd", "1\n2.1.2.5\n37\nBEGIN\nEND\nEND\n", 0, 37, "root []\n"},
        LineCountCase{"FiveLinesAndAnything", "1\n2.1.2.5\n37\nBEGIN Top\nEND\nx y\n", 0, 37,
                      "root [Top]\n"},
        LineCountCase{"SixLinesOneSite", "1\n2.1.2.5\n37\nBEGIN\nA\ta\nEND\n", 0, 37,
                      "root []\n  site [A] [a] 0\n"}),
    [](const testing::TestParamInfo<LineCountCase>& info) { return info.param.name; });

// Line 0 is read as a number and must be 1.
struct FormatCase {
    const char* name;
    const char* line;
    int result;
};

class FormatLineTest : public MenuParserTest, public testing::WithParamInterface<FormatCase> {};

TEST_P(FormatLineTest, GivesResult) {
    const FormatCase& c = GetParam();
    // A differing version must not be reported for a format that is refused.
    const std::string text =
        std::string(c.line) + "\n9.9.9.9\n37\nBEGIN Sites\nNews\tnews.htm\nEND\n";
    EXPECT_EQ(c.result, Parse(text));
    if (c.result == 0) {
        EXPECT_EQ(37, menu.m_wMenuNumber);
        EXPECT_EQ("root [Sites]\n  site [News] [news.htm] 0\n", Tree());
        EXPECT_EQ(1u, MessagesShown());
    } else {
        EXPECT_EQ(0, menu.m_wMenuNumber);
        EXPECT_TRUE(menu.m_rootPopUp.m_arrChildren.empty());
        EXPECT_EQ(0u, MessagesShown());
    }
}

INSTANTIATE_TEST_SUITE_P(
    MenuParser, FormatLineTest,
    testing::Values(FormatCase{"One", "1", 0}, FormatCase{"OnePointZero", "1.0", 0},
                    FormatCase{"LeadingZero", "01", 0}, FormatCase{"ManyZeros", "0001", 0},
                    FormatCase{"Plus", "+1", 0}, FormatCase{"TrailingText", "1st", 0},
                    FormatCase{"Indented", "  1", 0}, FormatCase{"Two", "2", 2},
                    FormatCase{"Word", "one", 2}, FormatCase{"Empty", "", 2},
                    FormatCase{"Zero", "0", 2}, FormatCase{"MinusOne", "-1", 2},
                    FormatCase{"Ten", "10", 2}, FormatCase{"Eleven", "11", 2},
                    FormatCase{"Hundred", "100", 2}, FormatCase{"SignTwice", "+-1", 2},
                    FormatCase{"SpaceAfterSign", "+ 1", 2}),
    [](const testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

// Line 2 is the menu number, modulo 65536, compared with the held one.
struct NumberCase {
    const char* name;
    const char* line;
    std::uint16_t held;
    int result;
    std::uint16_t number;
};

class MenuNumberTest : public MenuParserTest, public testing::WithParamInterface<NumberCase> {};

TEST_P(MenuNumberTest, GivesResultAndNumber) {
    const NumberCase& c = GetParam();
    // On result 1 the body is never read, so it may be anything.
    const std::string text = WithHeader("BEGIN Sites\nNews\tnews.htm\nEND\n", c.line);
    EXPECT_EQ(c.result, Parse(text, c.held));
    EXPECT_EQ(c.number, menu.m_wMenuNumber);
    EXPECT_EQ(c.result == 0 ? 1u : 0u, menu.m_rootPopUp.m_arrChildren.size());
}

INSTANTIATE_TEST_SUITE_P(
    MenuParser, MenuNumberTest,
    testing::Values(
        NumberCase{"Same", "37", 37, 1, 37}, NumberCase{"Newer", "38", 37, 0, 38},
        NumberCase{"Older", "36", 37, 0, 36}, NumberCase{"SameModulo65536", "65573", 37, 1, 37},
        NumberCase{"MinusOne", "-1", 0, 0, 65535},
        NumberCase{"MinusOneHeld", "-1", 65535, 1, 65535},
        NumberCase{"NegativeWraps", "-65499", 37, 1, 37},
        NumberCase{"Largest", "65535", 0, 0, 65535}, NumberCase{"WrapsToZero", "65536", 0, 1, 0},
        NumberCase{"ZeroWhileEmpty", "0", 0, 1, 0},
        NumberCase{"NoDigitsWhileEmpty", "none", 0, 1, 0},
        NumberCase{"EmptyLineWhileEmpty", "", 0, 1, 0},
        NumberCase{"TrailingText", "38th edition", 37, 0, 38}, NumberCase{"Plus", "+37", 37, 1, 37},
        NumberCase{"LongNumber", "1000000000000000000001", 0, 0, 1}),
    [](const testing::TestParamInfo<NumberCase>& info) { return info.param.name; });

// Line 1 is compared with the program's version; a difference only informs.
struct VersionCase {
    const char* name;
    const char* line;
    bool told;
};

class VersionLineTest : public MenuParserTest, public testing::WithParamInterface<VersionCase> {};

TEST_P(VersionLineTest, TellsOnceAndGoesOn) {
    const VersionCase& c = GetParam();
    const auto expected = c.told
                              ? std::vector<std::pair<unsigned, unsigned>>{{IDS_NEW_VERSION, 0x40}}
                              : std::vector<std::pair<unsigned, unsigned>>{};
    const std::string body = "BEGIN Sites\nNews\tnews.htm\nEND\n";
    const std::string text = "1\n" + std::string(c.line) + "\n37\n" + body;

    EXPECT_EQ(0, Parse(text, 36));
    EXPECT_EQ(expected, fake.messages.shown);
    EXPECT_EQ(1u, menu.m_rootPopUp.m_arrChildren.size());

    fake.messages.shown.clear();
    EXPECT_EQ(1, Parse(text, 37));
    EXPECT_EQ(expected, fake.messages.shown);
}

INSTANTIATE_TEST_SUITE_P(
    MenuParser, VersionLineTest,
    testing::Values(VersionCase{"Same", "2.1.2.5", false},
                    VersionCase{"SameIndented", " \t2.1.2.5\r", false},
                    VersionCase{"Newer", "2.1.3.0", true}, VersionCase{"Shorter", "2.1.2", true},
                    VersionCase{"Longer", "2.1.2.5.1", true},
                    VersionCase{"Suffix", "2.1.2.5 beta", true}, VersionCase{"Empty", "", true}),
    [](const testing::TestParamInfo<VersionCase>& info) { return info.param.name; });

// Line 3 opens the root whatever it holds; its caption starts at the 7th byte.
struct RootLineCase {
    const char* name;
    const char* line;
    const char* caption;
};

class RootLineTest : public MenuParserTest, public testing::WithParamInterface<RootLineCase> {};

TEST_P(RootLineTest, GivesCaption) {
    const RootLineCase& c = GetParam();
    ASSERT_EQ(0, Parse(WithHeader(std::string(c.line) + "\nA\ta\nEND\n")));
    EXPECT_EQ(c.caption, menu.m_rootPopUp.m_strCaption);
    EXPECT_EQ(1u, menu.m_rootPopUp.m_arrChildren.size());
}

INSTANTIATE_TEST_SUITE_P(
    MenuParser, RootLineTest,
    testing::Values(RootLineCase{"Space", "BEGIN Sites", "Sites"},
                    RootLineCase{"Tab", "BEGIN\tSites", "Sites"},
                    RootLineCase{"Colon", "BEGIN:Sites", "Sites"},
                    RootLineCase{"NoSeparator", "BEGINSites", "ites"},
                    RootLineCase{"Bare", "BEGIN", ""}, RootLineCase{"SixBytes", "BEGIN!", ""},
                    RootLineCase{"NotBegin", "Extra line", "line"}, RootLineCase{"Short", "x", ""},
                    RootLineCase{"InnerSpaces", "BEGIN  My  Sites", " My  Sites"}),
    [](const testing::TestParamInfo<RootLineCase>& info) { return info.param.name; });

// What each body line makes, tested by its start, case-sensitively.
struct BodyCase {
    const char* name;
    std::string body;
    const char* tree;
};

class BodyLineTest : public MenuParserTest, public testing::WithParamInterface<BodyCase> {};

TEST_P(BodyLineTest, MakesTree) {
    const BodyCase& c = GetParam();
    EXPECT_EQ(0, Parse(SitesMenu(c.body)));
    EXPECT_EQ(c.tree, Tree());
}

INSTANTIATE_TEST_SUITE_P(
    MenuParser, BodyLineTest,
    testing::Values(
        BodyCase{"EmptyRoot", "END\nafter\n", "root [Sites]\n"},
        BodyCase{"EmptySubMenu", "BEGIN Empty\nEND\nA\ta\nEND\n",
                 "root [Sites]\n  popup [Empty]\n  site [A] [a] 0\n"},
        BodyCase{"BeginnerOpensSubMenu", "BEGINNER\tpage.htm\nA\ta\nEND\nB\tb\nEND\n",
                 "root [Sites]\n  popup [ER\\tpage.htm]\n    site [A] [a] 0\n  site [B] [b] 0\n"},
        BodyCase{"EnduranceEndsBlock", "A\ta\nENDURANCE\tpage.htm\nB\tb\nEND\n",
                 "root [Sites]\n  site [A] [a] 0\n"},
        BodyCase{"EndOfMenuEndsBlock", "BEGIN Sub\nA\ta\nEND OF MENU\nB\tb\nENDE\nC\tc\n",
                 "root [Sites]\n  popup [Sub]\n    site [A] [a] 0\n  site [B] [b] 0\n"},
        BodyCase{"LowerCaseWordsAreSites", "end\tx\nBegin\ty\nEnd\tz\nbegin\tw\nEND\n",
                 "root [Sites]\n  site [end] [x] 0\n  site [Begin] [y] 0\n  site [End] [z] 0\n"
                 "  site [begin] [w] 0\n"},
        BodyCase{"Dividers", "-\n--- more ---\n-A\ta\nA\ta\nEND\n",
                 "root [Sites]\n  divider\n  divider\n  divider\n  site [A] [a] 0\n"},
        BodyCase{"DashInsideIsASite", "A-B\tab\n a - b \tx\nEND\n",
                 "root [Sites]\n  site [A-B] [ab] 0\n  site [a - b ] [x] 0\n"},
        BodyCase{"EndBeforeBegin", "ENDBEGIN Sub\nA\ta\n", "root [Sites]\n"},
        BodyCase{"BeginBeforeDivider", "BEGIN-\nA\ta\nEND\nEND\n",
                 "root [Sites]\n  popup []\n    site [A] [a] 0\n"},
        BodyCase{"SubMenuCaptions",
                 "BEGIN Films\nEND\nBEGIN\tFilms\nEND\nBEGIN:Films\nEND\nBEGINFilms\nEND\n"
                 "BEGIN\nEND\nBEGIN Films  \nEND\nEND\n",
                 "root [Sites]\n  popup [Films]\n  popup [Films]\n  popup [Films]\n"
                 "  popup [ilms]\n  popup []\n  popup [Films]\n"},
        BodyCase{"NestedOrder", "A\ta\nBEGIN X\nB\tb\nBEGIN Y\nC\tc\nEND\nD\td\nEND\nE\te\nEND\n",
                 "root [Sites]\n  site [A] [a] 0\n  popup [X]\n    site [B] [b] 0\n"
                 "    popup [Y]\n      site [C] [c] 0\n    site [D] [d] 0\n  site [E] [e] 0\n"},
        BodyCase{"TextAfterRootEndIgnored", "A\ta\nEND\nB\tb\nBEGIN\n-\nEND\nEND\n\xff\xfe\n\n",
                 "root [Sites]\n  site [A] [a] 0\n"}),
    [](const testing::TestParamInfo<BodyCase>& info) { return info.param.name; });

TEST_F(MenuParserTest, ExtraLineBeforeBeginBecomesTheRootOpening) {
    const std::string text = WithHeader("Extra line\n"
                                        "BEGIN Sites\n"
                                        "News\tnews.htm\n"
                                        "END\n"
                                        "After\tafter.htm\n");
    EXPECT_EQ(0, Parse(text));
    EXPECT_EQ("root [line]\n"
              "  popup [Sites]\n"
              "    site [News] [news.htm] 0\n"
              "  site [After] [after.htm] 0\n",
              Tree());
}

// A site line splits at its first TAB; the run of TABs after it is skipped.
struct SiteSplitCase {
    const char* name;
    std::string line;
    std::string caption;
    std::string url;
};

class SiteSplitTest : public testing::TestWithParam<SiteSplitCase> {};

TEST_P(SiteSplitTest, GivesCaptionAndAddress) {
    const SiteSplitCase& c = GetParam();
    const CMenuSite site(c.line);
    EXPECT_EQ(c.caption, site.m_strCaption);
    EXPECT_EQ(c.url, site.m_strUrl);
    EXPECT_EQ(0, site.m_nCommandId);
}

INSTANTIATE_TEST_SUITE_P(
    MenuParser, SiteSplitTest,
    testing::Values(SiteSplitCase{"OneTab", "News\tnews.htm", "News", "news.htm"},
                    SiteSplitCase{"RunOfTabs", "News\t\t\tnews.htm", "News", "news.htm"},
                    SiteSplitCase{"SpaceBeforeTabKept", "News \tnews.htm", "News ", "news.htm"},
                    SiteSplitCase{"SpacesInside", "Big News\thttp://x/a b", "Big News",
                                  "http://x/a b"},
                    SiteSplitCase{"SpaceEndsTheRun", "A\t \tb", "A", " \tb"},
                    SiteSplitCase{"LaterTabsKept", "A\tb\tc", "A", "b\tc"},
                    SiteSplitCase{"Mnemonic", "&News\tn", "&News", "n"},
                    SiteSplitCase{"NoAddress", "A\t\t", "A", ""},
                    SiteSplitCase{"NoCaption", "\tb", "", "b"},
                    SiteSplitCase{"NoTab", "Alone", "Alone", ""},
                    SiteSplitCase{"HighBytes", "Caf\xe9\t\xa0x", "Caf\xe9", "\xa0x"}),
    [](const testing::TestParamInfo<SiteSplitCase>& info) { return info.param.name; });

// Which bytes are cut off: a line ends at its first NUL, then loses the
// white space at both ends, and nothing else.
struct ByteCase {
    const char* name;
    std::string line;
    const char* tree;
};

class LineBytesTest : public MenuParserTest, public testing::WithParamInterface<ByteCase> {};

TEST_P(LineBytesTest, MakesTree) {
    const ByteCase& c = GetParam();
    EXPECT_EQ(0, Parse(SitesMenu(c.line + "\nEND\n")));
    EXPECT_EQ(c.tree, Tree());
}

INSTANTIATE_TEST_SUITE_P(
    MenuParser, LineBytesTest,
    testing::Values(
        ByteCase{"NulCutsAddress", "A\ta\0junk"s, "root [Sites]\n  site [A] [a] 0\n"},
        ByteCase{"NulBeforeTabLeavesNoTab", "A\0\ta"s, "root [Sites]\n"},
        ByteCase{"NulThenTrim", "A\ta \0 x"s, "root [Sites]\n  site [A] [a] 0\n"},
        ByteCase{"NulEndsNothingElse", "\0A\ta\nB\tb"s, "root [Sites]\n  site [B] [b] 0\n"},
        ByteCase{"NulAfterEnd", "END\0\nA\ta"s, "root [Sites]\n"},
        ByteCase{"VerticalTabAndFormFeed", "\v\fA\ta\f\v", "root [Sites]\n  site [A] [a] 0\n"},
        ByteCase{"CarriageReturnInside", "A\ra\tb", "root [Sites]\n  site [A\ra] [b] 0\n"},
        ByteCase{"NoBreakSpaceKept",
                 "\xa0"
                 "A\ta\xa0",
                 "root [Sites]\n  site [\xa0"
                 "A] [a\xa0] 0\n"},
        ByteCase{"NextLineKept",
                 "\x85"
                 "A\ta\x85",
                 "root [Sites]\n  site [\x85"
                 "A] [a\x85] 0\n"},
        ByteCase{"UnitSeparatorKept",
                 "\x1f"
                 "A\ta\x1f",
                 "root [Sites]\n  site [\x1f"
                 "A] [a\x1f] 0\n"}),
    [](const testing::TestParamInfo<ByteCase>& info) { return info.param.name; });

TEST_F(MenuParserTest, NulInHeaderLineCutsIt) {
    const std::string text = "1\0 2\n2.1.2.5\0x\n3\0"
                             "7\nBEGIN Sites\nA\ta\nEND\n"s;
    EXPECT_EQ(0, Parse(text, 37));
    EXPECT_EQ(3, menu.m_wMenuNumber);
    EXPECT_EQ(0u, MessagesShown());
}

// Lines running out while blocks are open close every open block.
struct UnclosedCase {
    const char* name;
    std::string text;
    std::string tree;
};

class UnclosedBlockTest : public MenuParserTest,
                          public testing::WithParamInterface<UnclosedCase> {};

TEST_P(UnclosedBlockTest, ClosesAtTheEndOfTheLines) {
    const UnclosedCase& c = GetParam();
    EXPECT_EQ(0, Parse(c.text));
    EXPECT_EQ(37, menu.m_wMenuNumber);
    EXPECT_EQ(c.tree, Tree());
}

INSTANTIATE_TEST_SUITE_P(
    MenuParser, UnclosedBlockTest,
    testing::Values(
        UnclosedCase{"RootEndWithoutLineFeed",
                     "1\n2.1.2.5\n37\nBEGIN Sites\nNews\tnews.htm\n-\nBEGIN &Reference\n"
                     "Episodes\t\tepisodes.htm\nEND\nEND",
                     std::string(kExampleMenuTree)},
        UnclosedCase{"RootEndMissing",
                     "1\n2.1.2.5\n37\nBEGIN Sites\nNews\tnews.htm\n-\nBEGIN &Reference\n"
                     "Episodes\t\tepisodes.htm\nEND\n",
                     std::string(kExampleMenuTree)},
        UnclosedCase{"BothEndsMissing",
                     "1\n2.1.2.5\n37\nBEGIN Sites\nNews\tnews.htm\n-\nBEGIN &Reference\n"
                     "Episodes\t\tepisodes.htm\n",
                     std::string(kExampleMenuTree)},
        UnclosedCase{"EndsOnAnOpening", SitesMenu("A\ta\nBEGIN Deep\n"),
                     "root [Sites]\n  site [A] [a] 0\n  popup [Deep]\n"},
        UnclosedCase{"EndsOnADivider", SitesMenu("BEGIN X\nA\ta\n-\n"),
                     "root [Sites]\n  popup [X]\n    site [A] [a] 0\n    divider\n"},
        UnclosedCase{"EndsOnSkippedLines", SitesMenu("A\ta\n\n\nnothing\n"),
                     "root [Sites]\n  site [A] [a] 0\n"}),
    [](const testing::TestParamInfo<UnclosedCase>& info) { return info.param.name; });

TEST(MenuPopUpParse, StopsAtTheLineThatClosesTheBlock) {
    const MenuLines lines = {"BEGIN Sub", "A\ta", "BEGIN Inner", "END", "END", "After\tx"};
    CMenuPopUp popUp;
    std::size_t index = 0;
    popUp.Parse(lines, index);
    EXPECT_EQ(4u, index);
    EXPECT_EQ("root [Sub]\n  site [A] [a] 0\n  popup [Inner]\n", DrawMenuTree(popUp));
}

TEST(MenuPopUpParse, LeavesIndexAtTheEndWhenLinesRunOut) {
    const MenuLines lines = {"BEGIN Sub", "A\ta", "BEGIN Inner", "B\tb"};
    CMenuPopUp popUp;
    std::size_t index = 0;
    popUp.Parse(lines, index);
    EXPECT_EQ(lines.size(), index);
    EXPECT_EQ("root [Sub]\n  site [A] [a] 0\n  popup [Inner]\n    site [B] [b] 0\n",
              DrawMenuTree(popUp));
}

TEST(MenuPopUpParse, ReadsNothingFromPastTheLines) {
    const MenuLines lines = {"BEGIN Sub", "A\ta"};
    CMenuPopUp popUp;
    std::size_t index = 0;
    popUp.Parse(lines, index);
    for (std::size_t start : {lines.size(), lines.size() + 3}) {
        index = start;
        popUp.Parse(lines, index);
        EXPECT_EQ(lines.size(), index);
        EXPECT_EQ("root []\n", DrawMenuTree(popUp));
    }
}

TEST(MenuPopUpParse, EmptiesThePopUpFirst) {
    const MenuLines lines = {"BEGIN Sub", "A\ta", "END"};
    CMenuPopUp popUp;
    std::size_t index = 0;
    popUp.Parse(lines, index);
    index = 0;
    popUp.Parse(lines, index);
    EXPECT_EQ("root [Sub]\n  site [A] [a] 0\n", DrawMenuTree(popUp));
}

// Body lines that are no entry: neither BEGIN, END, a divider nor a line
// holding a TAB once trimmed.
class SkippedLineTest : public MenuParserTest, public testing::WithParamInterface<std::string> {};

TEST_P(SkippedLineTest, IsPassedOver) {
    EXPECT_EQ(0, Parse(SitesMenu("A\ta\n" + GetParam() + "\nB\tb\nEND\n")));
    EXPECT_EQ("root [Sites]\n  site [A] [a] 0\n  site [B] [b] 0\n", Tree());
}

INSTANTIATE_TEST_SUITE_P(MenuParser, SkippedLineTest,
                         testing::Values("", "   ", "\t", "\r", "News", "News news.htm", "News\t",
                                         "\tnews.htm", " \tNews \t"));

TEST_F(MenuParserTest, KeepsLongLinesWhole) {
    const std::string caption(300, 'c');
    const std::string url = "http://example.test/" + std::string(1000, 'u');
    const std::string title(400, 't');
    const std::string version(600, 'v');
    const std::string text = "1\n" + version + "\n37\nBEGIN " + title + "\n" + caption + "\t" +
                             url + "\nBEGIN " + title + "\nEND\nEND\n";
    EXPECT_EQ(0, Parse(text));
    EXPECT_EQ(title, menu.m_rootPopUp.m_strCaption);
    ASSERT_EQ(2u, menu.m_rootPopUp.m_arrChildren.size());
    const auto& site = dynamic_cast<const CMenuSite&>(*menu.m_rootPopUp.m_arrChildren[0]);
    EXPECT_EQ(caption, site.m_strCaption);
    EXPECT_EQ(url, site.m_strUrl);
    EXPECT_EQ(title, menu.m_rootPopUp.m_arrChildren[1]->m_strCaption);
    EXPECT_EQ(1u, MessagesShown());
}

} // namespace
