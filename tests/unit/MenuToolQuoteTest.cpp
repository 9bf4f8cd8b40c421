// How the maker's tool prints captions and addresses, and what it does in the
// place of the program's message boxes and code-page conversion.
#include "res/resource.h"
#include "tools/QuotedString.h"
#include "tools/ToolMessages.h"
#include "tools/ToolText.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct QuoteCase {
    std::string bytes;
    std::string printed;
};

class QuoteBytesTable : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(QuoteBytesTable, PrintsEveryByteUnambiguously) {
    EXPECT_EQ(GetParam().printed, QuoteBytes(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(MenuToolQuote, QuoteBytesTable,
                         ::testing::Values(QuoteCase{"", R"("")"}, QuoteCase{"News", R"("News")"},
                                           QuoteCase{" ~ &Reference ", R"(" ~ &Reference ")"},
                                           QuoteCase{"a\\b", R"("a\\b")"},
                                           QuoteCase{"say \"hi\"", R"("say \"hi\"")"},
                                           QuoteCase{"\t\r\n", R"("\t\r\n")"},
                                           QuoteCase{std::string("\0", 1), R"("\x00")"},
                                           QuoteCase{"\x01\x0b\x0c\x1f", R"("\x01\x0b\x0c\x1f")"},
                                           QuoteCase{"\x7f\x80\xe9\xff", R"("\x7f\x80\xe9\xff")"},
                                           QuoteCase{"caf\xc3\xa9", R"("caf\xc3\xa9")"}));

TEST(MenuToolNotes, NewVersionMessageBecomesANoteNamingIt) {
    std::ostringstream notes;
    ToolMessages messages(notes);
    messages.ShowMessage(IDS_NEW_VERSION, MessageService::kIconInformation);
    const std::string note = notes.str();
    EXPECT_EQ(0u, note.find("vellinor-menu: note: "));
    EXPECT_NE(std::string::npos, note.find("message 202"));
    EXPECT_NE(std::string::npos, note.find("new version"));
    EXPECT_EQ('\n', note.back());
}

TEST(MenuToolNotes, OtherMessagesAreNamedByNumberOrText) {
    std::ostringstream notes;
    ToolMessages messages(notes);
    messages.ShowMessage(IDS_NO_CONNECTION, MessageService::kIconStop);
    messages.ShowText("Faild to start", MessageService::kIconStop);
    const std::string text = notes.str();
    EXPECT_NE(std::string::npos, text.find("message 100\n"));
    EXPECT_EQ(std::string::npos, text.find("new version"));
    EXPECT_NE(std::string::npos, text.find("Faild to start\n"));
}

TEST(MenuToolAnsiText, ConvertsToTheNamedCodePageAndMarksWhatItLacks) {
    ToolText western;
    ASSERT_TRUE(western.IsUsable());
    EXPECT_EQ("News & more~\x7f", western.Utf16ToAnsi(u"News & more~\x7f"));
    // e-acute, a euro sign and a surrogate pair (one character).
    EXPECT_EQ("caf\xe9 \x80 ?", western.Utf16ToAnsi(u"caf\u00e9 \u20ac \U0001F600"));
    EXPECT_EQ("?x?", western.Utf16ToAnsi(u"\xdc00x\xd800"));
    EXPECT_EQ("", western.Utf16ToAnsi(u""));

    ToolText cyrillic(1251);
    ASSERT_TRUE(cyrillic.IsUsable());
    EXPECT_EQ("\xc4? \x88", cyrillic.Utf16ToAnsi(u"\u0414\u00e9 \u20ac"));

    EXPECT_FALSE(ToolText(1).IsUsable());
    EXPECT_EQ("", ToolText(1).Utf16ToAnsi(u"a"));
}

} // namespace
