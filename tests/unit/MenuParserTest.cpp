#include "menu/DownloadedText.h"
#include "menu/Utf8Text.h"
#include "tests/fake/FakePlatform.h"
#include "tests/unit/MenuTextInput.h"
#include "tests/unit/MenuTreePicture.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace std::string_literals;

namespace {

class MenuParserTest : public testing::Test {
protected:
    int Parse(std::string_view text, std::uint16_t held = 36) {
        return ParseExactly(menu, held, text);
    }
    std::string Tree() const { return DrawMenuTree(menu.m_rootPopUp); }

    FakePlatform fake;
    CMenuData menu;
};

TEST_F(MenuParserTest, ReadsOnlyTheGivenLengthAndDropsTheOldMenu) {
    ASSERT_EQ(0, Parse(kExampleMenuText));
    ASSERT_NE(nullptr, menu.GetMenuHandle());
    const std::string text = WithHeader("BEGIN Sites\nA\ta\nZ\tz\nB\tb\n");
    ASSERT_EQ(0, menu.ParseText(0, text.data(), text.find("B\t")));
    EXPECT_EQ("root [Sites]\n  site [A] [a] 0\n  site [Z] [z] 0\n", Tree());
    EXPECT_EQ(0u, fake.menus.LiveMenuCount());
}

// The header: at least six lines, a format line reading 1, a version line
// that only informs when it differs, and the menu number modulo 65536.
struct HeaderCase {
    const char* name;
    std::string text;
    std::uint16_t held;
    int result;
    std::uint16_t number;
    std::size_t told;
};

std::string Header(const char* format, const std::string& version, const char* number) {
    return format + "\n"s + version + "\n" + number + "\nBEGIN Sites\nNews\tnews.htm\nEND\n";
}

class MenuHeaderTest : public MenuParserTest, public testing::WithParamInterface<HeaderCase> {};

TEST_P(MenuHeaderTest, GivesResultNumberAndNotice) {
    const HeaderCase& c = GetParam();
    // A tree from an earlier text must not survive any outcome.
    ASSERT_EQ(0, Parse(kExampleMenuText, 0));
    EXPECT_EQ(c.result, Parse(c.text, c.held));
    EXPECT_EQ(c.number, menu.m_wMenuNumber);
    EXPECT_EQ(c.told, fake.messages.shown.size());
    EXPECT_EQ(c.result == 0 ? 1u : 0u, menu.m_rootPopUp.m_arrChildren.size());
}

const char kThisVersion[] = "2.1.2.5";

INSTANTIATE_TEST_SUITE_P(
    MenuParser, MenuHeaderTest,
    testing::Values(
        HeaderCase{"Empty", "", 0, 4, 0, 0},
        HeaderCase{"FiveLines", "1\n2.1.2.5\n37\nBEGIN\nEND\n", 0, 4, 0, 0},
        HeaderCase{"SixthLineUnended", "1\n2.1.2.5\n37\nBEGIN\nA\ta\nEND", 0, 4, 0, 0},
        HeaderCase{"SixLines", "1\n2.1.2.5\n37\nBEGIN\nA\ta\nEND\n", 0, 0, 37, 0},
        HeaderCase{"BlanksAroundLines", " \t1\v\r\n\f2.1.2.5 \r\n\t37\r\nBEGIN\r\nA\ta\r\nEND\r\n",
                   0, 0, 37, 0},
        HeaderCase{"FormatPlusOne", Header("+1", kThisVersion, "37"), 36, 0, 37, 0},
        HeaderCase{"FormatIndented", Header(" \t0001st", kThisVersion, "37"), 36, 0, 37, 0},
        HeaderCase{"FormatTwo", Header("2", "9", "37"), 36, 2, 0, 0},
        HeaderCase{"FormatMinusOne", Header("-1", "9", "37"), 36, 2, 0, 0},
        HeaderCase{"NumberHeld", Header("1", kThisVersion, "37"), 37, 1, 37, 0},
        HeaderCase{"NumberNewer", Header("1", kThisVersion, "38th"), 37, 0, 38, 0},
        HeaderCase{"NumberModulo65536", Header("1", kThisVersion, "65573"), 37, 1, 37, 0},
        HeaderCase{"NumberMinusOne", Header("1", kThisVersion, "-1"), 0, 0, 65535, 0},
        HeaderCase{"NumberNoDigits", Header("1", kThisVersion, "none"), 0, 1, 0, 0},
        HeaderCase{"NumberLong", Header("1", kThisVersion, "1000000000000000000001"), 0, 0, 1, 0},
        HeaderCase{"VersionNewer", Header("1", "2.1.3.0", "37"), 36, 0, 37, 1},
        HeaderCase{"VersionLong", Header("1", std::string(600, 'v'), "37"), 36, 0, 37, 1},
        HeaderCase{"VersionEmpty", Header("1", "", "37"), 36, 0, 37, 1},
        HeaderCase{"VersionNewerNumberHeld", Header("1", "2.1.3.0", "37"), 37, 1, 37, 1},
        HeaderCase{"NulCutsHeaderLines", "1\0 2\n2.1.2.5\0x\n3\0007\nBEGIN\nA\ta\nEND\n"s, 37, 0, 3,
                   0}),
    [](const testing::TestParamInfo<HeaderCase>& info) { return info.param.name; });

// The body: what each line makes, known by its start, case-sensitively.
struct BodyCase {
    const char* name;
    std::string body;
    std::string tree;
};

const std::string kLong(300, 'c');

class MenuBodyTest : public MenuParserTest, public testing::WithParamInterface<BodyCase> {};

TEST_P(MenuBodyTest, MakesTree) {
    EXPECT_EQ(0, Parse(WithHeader(GetParam().body)));
    EXPECT_EQ(GetParam().tree, Tree());
}

INSTANTIATE_TEST_SUITE_P(
    MenuParser, MenuBodyTest,
    testing::Values(
        BodyCase{"AnyLineOpensTheRoot", "Extra line\nBEGIN Sites\nA\ta\nEND\nB\tb\n",
                 "root [line]\n  popup [Sites]\n    site [A] [a] 0\n  site [B] [b] 0\n"},
        BodyCase{"SubMenuCaptions",
                 "BEGIN Sites\nBEGIN Films\nEND\nBEGIN\tFilms\nEND\nBEGINFilms\nEND\nBEGIN\nEND\n"
                 "BEGIN X\nEND\nEND\n",
                 "root [Sites]\n  popup [Films]\n  popup [Films]\n  popup [ilms]\n  popup []\n"
                 "  popup [X]\n"},
        BodyCase{"OnlyTheStartCountsCaseSensitively",
                 "BEGIN Sites\nend\tx\nBegin\ty\nBEGINNER\tpage.htm\nA\ta\nEND\nENDURANCE\nB\tb\n",
                 "root [Sites]\n  site [end] [x] 0\n  site [Begin] [y] 0\n  popup [ER\tpage.htm]\n"
                 "    site [A] [a] 0\n"},
        BodyCase{"DividersAndSkippedLines",
                 "BEGIN Sites\n-\n--- more ---\nA-B\tab\n\n   \nNews\n\tnews.htm\n \tNews "
                 "\t\nB\tb\nEND\n",
                 "root [Sites]\n  divider\n  divider\n  site [A-B] [ab] 0\n  site [B] [b] 0\n"},
        BodyCase{"NestedInReadingOrder",
                 "BEGIN Sites\nA\ta\nBEGIN X\nB\tb\nBEGIN Y\nC\tc\nEND\nD\td\nEND\nE\te\nEND\n"
                 "after\tx\nBEGIN\n",
                 "root [Sites]\n  site [A] [a] 0\n  popup [X]\n    site [B] [b] 0\n"
                 "    popup [Y]\n      site [C] [c] 0\n    site [D] [d] 0\n  site [E] [e] 0\n"},
        BodyCase{
            "SiteSplitsAtTheFirstTabRun",
            "BEGIN Sites\nNews\t\t\tnews.htm\nBig News \thttp://x/a b\nA\t \tb\nA\tb\tc\nEND\n",
            "root [Sites]\n  site [News] [news.htm] 0\n  site [Big News ] [http://x/a b] 0\n"
            "  site [A] [ \tb] 0\n  site [A] [b\tc] 0\n"},
        BodyCase{"NulEndsTheLine",
                 "BEGIN Sites\nA\ta\0junk\nB\0\tb\nC\tc \0 x\n\0D\td\nEND\0\nE\te\n"s,
                 "root [Sites]\n  site [A] [a] 0\n  site [C] [c] 0\n"},
        BodyCase{"OnlyWhiteSpaceIsTrimmed",
                 "BEGIN Sites\n\v\fA\ta\f\v\nA\ra\tb\n\x08\x1f"
                 "B\tb\x0e\xa0\x85\nEND\n",
                 "root [Sites]\n  site [A] [a] 0\n  site [A\ra] [b] 0\n"
                 "  site [\x08\x1f"
                 "B] [b\x0e\xa0\x85] 0\n"},
        BodyCase{"LineEndsAndBlanksCarryNoMeaning",
                 " \t\v\fBEGIN Sites\r\n\r\t\fNews\tnews.htm \t\v\f\r\r\n  -\r\n\tEND \r\nB\tb\n",
                 "root [Sites]\n  site [News] [news.htm] 0\n  divider\n"},
        BodyCase{"LinesRunOutWithBlocksOpen",
                 "BEGIN Sites\nBEGIN X\nB\tb\n-\nBEGIN Deep\n\nnothing\n",
                 "root [Sites]\n  popup [X]\n    site [B] [b] 0\n    divider\n    popup [Deep]\n"},
        BodyCase{"LongLinesKeptWhole", "BEGIN " + kLong + "\n" + kLong + "\t" + kLong + "\nEND\n",
                 "root [" + kLong + "]\n  site [" + kLong + "] [" + kLong + "] 0\n"},
        BodyCase{"EndAndBeginRunTogether", "BEGIN Sites\nBEGIN-\nA\ta\nEND\nENDBEGIN Sub\nB\tb\n",
                 "root [Sites]\n  popup []\n    site [A] [a] 0\n"}),
    [](const testing::TestParamInfo<BodyCase>& info) { return info.param.name; });

// A downloaded body too short to be read, or a menu without entries, gives 4;
// behind a byte-order mark the body is UTF-8, converted for the code page.
TEST_F(MenuParserTest, DownloadedBodyIsReadOnlyWhenItCanMakeAMenu) {
    EXPECT_EQ(4, ParseDownloadedText(menu, 0, "1\n2.1.2.5\n3\nB\nA\ta\nE\n"));
    EXPECT_EQ(4, ParseDownloadedText(menu, 0, WithHeader("BEGIN Sites\nEND\nEND\n")));
    const std::string body = "\xEF\xBB\xBF" + WithHeader("BEGIN Sites\nCaf\xC3\xA9\tx\nEND\n");
    EXPECT_EQ(0, ParseDownloadedText(menu, 0, body));
    EXPECT_EQ("root [Sites]\n  site [Caf\xE9] [x] 0\n", Tree());
}

// Well-formed UTF-8 becomes its UTF-16 units; every malformed sequence
// (overlong, a surrogate, past U+10FFFF, cut short) becomes one U+FFFD.
TEST(MenuUtf8Text, DecodesWellFormedTextAndReplacesTheRest) {
    const std::tuple<std::string, std::u16string, bool> cases[] = {
        {"A\xC3\xA9\xE2\x82\xAC\xF0\x90\x80\x80", u"A\u00E9\u20AC\U00010000", true},
        {"\xC0\xAF\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD", false},
        {"\xED\xA0\x80\xF4\x90\x80\x80", u"\uFFFD\uFFFD", false},
        {"\xE2\x82"
         "A\xE2",
         u"\uFFFDA\uFFFD", false}};
    for (const auto& [text, units, valid] : cases) {
        EXPECT_EQ(units, Utf8ToUtf16(text)) << text;
        EXPECT_EQ(valid, IsValidUtf8(text)) << text;
    }
}

} // namespace
