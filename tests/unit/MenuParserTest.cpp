#include "menu/DownloadedText.h"
#include "menu/MenuSite.h"
#include "menu/MenuText.h"
#include "menu/Utf8Text.h"
#include "tests/fake/FakePlatform.h"
#include "tests/fake/MenuTreeEquality.h"
#include "tests/unit/MenuTextInput.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace std::string_literals;

namespace {

class MenuParserTest : public testing::Test {
protected:
    int Parse(std::string_view text, int held = 36) { return ParseExactly(menu, held, text); }

    FakePlatform fake;
    CMenuData menu;
};

// The body after the three header lines of most texts in the header table.
const std::string kNewsBody = "\nBEGIN Sites\nNews\tnews.htm\nEND\n";

// The header: at least six lines, a format line reading 1, a version line
// that only informs when it differs, and the menu number modulo 65536.
TEST_F(MenuParserTest, HeaderGivesResultNumberAndNotice) {
    // Name, text, number held, result, number read, notices shown.
    const std::tuple<const char*, std::string, std::uint16_t, int, std::uint16_t, std::size_t>
        table[] = {
            {"SixthLineUnended", "1\n2.1.2.5\n37\nBEGIN\nA\ta\nEND", 0, 4, 0, 0},
            {"FiveLines", "1\n2.1.2.5\n37\nBEGIN\nA\ta\n", 0, 4, 0, 0},
            {"TwoLines", "1\n2.1.2.5\n", 0, 4, 0, 0},
            {"FormatIndented", " \t0001st\n2.1.2.5\n37" + kNewsBody, 36, 0, 37, 0},
            {"NumberModulo65536", "1\n2.1.2.5\n65573" + kNewsBody, 37, 1, 37, 0},
            {"NumberMinusOne", "1\n2.1.2.5\n-1" + kNewsBody, 0, 0, 65535, 0},
            {"VersionEmpty", "1\n\n37" + kNewsBody, 36, 0, 37, 1},
            {"VersionNewerNumberHeld", "1\n2.1.3.0\n37" + kNewsBody, 37, 1, 37, 1},
            {"NulCutsHeaderLines", "1\0 2\n2.1.2.5\0x\n3\0007\nBEGIN\nA\ta\nEND\n"s, 37, 0, 3, 0}};
    for (const auto& [name, text, held, result, number, told] : table) {
        SCOPED_TRACE(name);
        // A tree from an earlier text must not survive any outcome.
        ASSERT_EQ(0, Parse(kExampleMenuText, 0));
        const std::size_t toldBefore = fake.messages.shown.size();
        EXPECT_EQ(result, Parse(text, held));
        EXPECT_EQ(number, menu.m_wMenuNumber);
        EXPECT_EQ(told, fake.messages.shown.size() - toldBefore);
        EXPECT_EQ(result == 0 ? 1u : 0u, menu.m_rootPopUp.m_arrChildren.size());
    }
}

// The body: what each line makes, known by its start, case-sensitively.
TEST_F(MenuParserTest, BodyLinesMakeTheTree) {
    const std::pair<std::string, std::string> table[] = {
        {"Extra line\nBEGIN Sites\nA\ta\nEND\nB\tb\n",
         "root [line]\n  PopUp [Sites]\n    Site [A] [a]\n  Site [B] [b]\n"},
        {"BEGIN Sites\nend\tx\nBegin\ty\nBEGINNER\tpage.htm\nA\ta\nEND\nENDURANCE\nB\tb\n",
         "root [Sites]\n  Site [end] [x]\n  Site [Begin] [y]\n  PopUp [ER\tpage.htm]\n"
         "    Site [A] [a]\n"},
        {"BEGIN Sites\n-\n--- more ---\nA-B\tab\n\n   \nNews\n\tnews.htm\n \tNews \t\nB\tb\nEND\n",
         "root [Sites]\n  Divider []\n  Divider []\n  Site [A-B] [ab]\n  Site [B] [b]\n"},
        // A site splits at its first run of TABs.
        {"BEGIN Sites\nNews\t\t\tnews.htm\nBig News \thttp://x/a b\nA\t \tb\nA\tb\tc\nEND\n",
         "root [Sites]\n  Site [News] [news.htm]\n  Site [Big News ] [http://x/a b]\n"
         "  Site [A] [ \tb]\n  Site [A] [b\tc]\n"},
        // Line ends and blanks carry no meaning.
        {" \t\v\fBEGIN Sites\r\n\r\t\fNews\tnews.htm \t\v\f\r\r\n  -\r\n\tEND \r\nB\tb\n",
         "root [Sites]\n  Site [News] [news.htm]\n  Divider []\n"}};
    for (const auto& [body, tree] : table) {
        EXPECT_EQ(0, Parse("1\n2.1.2.5\n37\n" + body)) << body;
        EXPECT_EQ(tree, DrawTree(menu)) << body;
    }
}

// A downloaded body too short to be read, or a menu without entries, gives 4;
// behind a byte-order mark the body is UTF-8, converted for the code page.
TEST_F(MenuParserTest, DownloadedBodyIsReadOnlyWhenItCanMakeAMenu) {
    EXPECT_EQ(4, ParseDownloadedText(menu, 0, "1\n2.1.2.5\n3\nB\nA\ta\nE\n"));
    EXPECT_EQ(4, ParseDownloadedText(menu, 0, MenuText("37", "") + "END\n"));
    const std::string body = "\xEF\xBB\xBF" + MenuText("37", "Caf\xC3\xA9\tx\n");
    EXPECT_EQ(0, ParseDownloadedText(menu, 0, body));
    EXPECT_EQ("root [Sites]\n  Site [Caf\xE9] [x]\n", DrawTree(menu));
}

// A sub-menu read again starts empty and stops past its END; with no lines
// left it is empty and nameless, and nothing past the lines is read.
TEST(MenuPopUpParse, StartsEmptyAndStopsAtTheLastLine) {
    const std::string text = "BEGIN Sub\nBEGIN In\nB\tb\nEND\nA\ta\nEND\nBEGIN Next\n";
    CMenuPopUp popUp;
    for (const bool fromStart : {true, true, false}) {
        MenuLineReader lines(text.data(), fromStart ? text.size() : 0);
        popUp.Parse(lines);
        std::string_view next;
        EXPECT_EQ(fromStart, lines.Next(next) && next == "BEGIN Next") << "past its END";
        EXPECT_EQ(fromStart ? "Sub" : "", popUp.m_strCaption);
        EXPECT_EQ(fromStart ? 2u : 0u, popUp.m_arrChildren.size());
    }
}

// Well-formed UTF-8 becomes its UTF-16 units; every malformed sequence
// (overlong, a surrogate, past U+10FFFF, cut short) becomes one U+FFFD.
TEST(MenuUtf8Text, DecodesWellFormedTextAndReplacesTheRest) {
    const std::tuple<std::string_view, std::u16string, bool> cases[] = {
        {"A\xC3\xA9\xE2\x82\xAC\xF0\x90\x80\x80", u"A\u00E9\u20AC\U00010000", true},
        // The first and last character of every length.
        {"\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF\xF0\x9F\x98\x80",
         u"\u0080\u07FF\u0800\uFFFF\U0010FFFF\U0001F600", true},
        {"\xC0\xAF\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD", false},
        {"\xED\xA0\x80\xED\xBF\xBF\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD", false},
        {"\xE2\x82\x41\xE2", u"\uFFFDA\uFFFD", false},
        {"\x80\xFF", u"\uFFFD\uFFFD", false},
        // A view ends where it ends, even inside a character.
        {std::string_view("\xC3\xA9", 1), u"\uFFFD", false},
        {std::string_view("A\x80", 1), u"A", true}};
    for (const auto& [text, units, valid] : cases) {
        EXPECT_EQ(units, Utf8ToUtf16(text)) << text;
        EXPECT_EQ(valid, IsValidUtf8(text)) << text;
    }
}

} // namespace
