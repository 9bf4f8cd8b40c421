// `vellinor-menu check`: every problem the program would meet in a menu file,
// on the line where it meets it.
#include "tests/fake/FakePlatform.h"
#include "tools/MenuCheck.h"
#include "tools/MenuTextLimits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

const std::string kHeader = "1\n2.1.2.5\n37\n";
const std::string kCleanText =
    kHeader + "BEGIN Sites\nNews\thttp://news.example/\n-\n"
              "BEGIN &Reference\nEpisodes\t\thttps://episodes.example/\nEND\nEND\n";

// A finding as the table states it: its line, whether it loses text, and a
// few words its text must hold.
struct Expected {
    std::size_t line;
    bool losesText;
    std::string words;
};

struct CheckCase {
    std::string name;
    std::string text;
    std::vector<Expected> findings;
};

std::ostream& operator<<(std::ostream& out, const CheckCase& c) {
    return out << c.name;
}

class CheckFindings : public ::testing::TestWithParam<CheckCase> {
protected:
    FakePlatform fake; // a Western code page for text with a byte-order mark
};

TEST_P(CheckFindings, NameEachProblemOnItsLine) {
    const CheckCase& c = GetParam();
    const std::vector<CheckFinding> found = CheckMenuText(c.text.data(), c.text.size());
    std::ostringstream all;
    WriteFindings(all, "sites.txt", found);
    ASSERT_EQ(c.findings.size(), found.size()) << all.str();
    bool anyLoss = false;
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(c.findings[i].line, found[i].line) << all.str();
        EXPECT_EQ(c.findings[i].losesText, found[i].losesText) << all.str();
        EXPECT_NE(std::string::npos, found[i].text.find(c.findings[i].words)) << all.str();
        anyLoss = anyLoss || c.findings[i].losesText;
    }
    EXPECT_EQ(anyLoss ? 1 : 0, CheckExitCode(found));
}

std::string Repeat(char c, std::size_t count) {
    return std::string(count, c);
}

// ASCII text as UTF-16, little-endian.
std::string Utf16(const std::string& text) {
    std::string wide;
    for (const char c : text) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

std::string WithCrOnly(std::string text) {
    std::replace(text.begin(), text.end(), '\n', '\r');
    return text;
}

const std::string kMark = "\xEF\xBB\xBF";

INSTANTIATE_TEST_SUITE_P(
    MenuToolCheck, CheckFindings,
    ::testing::Values(
        CheckCase{"Clean", kCleanText, {}},
        CheckCase{
            "CleanWithCrLfIndentingAndBlankLinesAfterTheEnd",
            "1\r\n2.1.2.5\r\n37\r\nBEGIN Sites\r\n  News\thttp://news.example/\r\nEND\r\n\r\n  \n",
            {}},
        CheckCase{"TextAfterTheRootEnd",
                  kCleanText + "\n(anything)\nmore\n",
                  {{12, true, "after the root's END"}}},
        CheckCase{"FiveLines", kHeader + "BEGIN Sites\nEND\n", {{1, true, "at least 6"}}},
        CheckCase{"FormatTwo",
                  "2\n2.1.2.5\n37\nBEGIN Sites\nEND\n\n",
                  {{1, true, "format number \"2\""}}},
        CheckCase{"FormatWrittenAsOnePointZero",
                  "1.0\n2.1.2.5\n37\nBEGIN S\nA\thttp://a.example/\nEND\n",
                  {}},
        CheckCase{"OtherVersionOnlyInforms",
                  "1\n2.1.3.0\n37\nBEGIN S\nA\thttp://a.example/\nEND\n",
                  {{2, false, "version \"2.1.3.0\""}}},
        CheckCase{"MenuNumberZero",
                  "1\n2.1.2.5\n0\nBEGIN S\nA\thttp://a.example/\nEND\n",
                  {{3, true, "reads as 0"}}},
        CheckCase{"MenuNumberWrappingToZero",
                  "1\n2.1.2.5\n65536\nBEGIN S\nA\thttp://a.example/\nEND\n",
                  {{3, true, "reads as 0"}}},
        CheckCase{"MenuNumberBeyond65535",
                  "1\n2.1.2.5\n65573\nBEGIN S\nA\thttp://a.example/\nEND\n",
                  {{3, true, "reads it as 37"}}},
        CheckCase{"MenuNumberNegative",
                  "1\n2.1.2.5\n-1\nBEGIN S\nA\thttp://a.example/\nEND\n",
                  {{3, true, "reads it as 65535"}}},
        CheckCase{"MenuNumberWithAThousandsSeparator",
                  "1\n2.1.2.5\n3,700\nBEGIN S\nA\thttp://a.example/\nEND\n",
                  {{3, true, "reads it as 3"}}},
        CheckCase{"SiteReadAsTheEndOfItsBlock",
                  kHeader + "BEGIN S\nA\thttp://a.example/\nENDURANCE\thttp://e.example/\nEND\n",
                  {{6, true, "as the end of its block"}, {7, true, "after the root's END"}}},
        CheckCase{"SiteReadAsADivider",
                  kHeader + "BEGIN S\nA\thttp://a.example/\n-Sale\thttp://s.example/\nEND\n",
                  {{6, true, "as a divider"}}},
        CheckCase{"SiteReadAsASubMenu",
                  kHeader + "BEGIN S\nBEGINNERS\thttp://b.example/\nA\thttp://a.example/\nEND\n",
                  {{4, true, "never closed"}, {5, true, "opening of a sub-menu"}}},
        CheckCase{"SubMenuWithATabAfterBegin",
                  kHeader + "BEGIN S\nBEGIN\tT\nA\thttp://a.example/\nEND\nEND\n",
                  {}},
        CheckCase{"AddressesThatAreRefused",
                  kHeader + "BEGIN S\nA\tcalc\nB\t..\\x.exe\nC\t--gpu-launcher=calc\n"
                            "D\tfile:///c:/x.exe\nEND\n",
                  {{5, true, "refuses"},
                   {6, true, "refuses"},
                   {7, true, "refuses"},
                   {8, true, "refuses"}}},
        CheckCase{"AddressOpenedWithHttpInFront",
                  kHeader + "BEGIN S\nNews\tnews.htm\nEND\n",
                  {{5, false, "opened as \"http://news.htm\""}}},
        CheckCase{"NoEntries", kHeader + "BEGIN S\nEND\n\n", {{4, true, "no entries"}}},
        CheckCase{"SpacesForTabsLeaveNoEntries",
                  kHeader + "BEGIN S\nNews    http://news.example/\nEND\n",
                  {{4, true, "no entries"}, {5, true, "holds no TAB"}}},
        CheckCase{"AnEmptySubMenuIsAnEntry", kHeader + "BEGIN S\nBEGIN T\nEND\nEND\n", {}},
        CheckCase{"Utf8WithoutAByteOrderMark",
                  kHeader + "BEGIN S\nB\xC3\xBC"
                            "cher\thttp://b.example/\nEND\n",
                  {{5, true, "save the file as UTF-8 with a byte-order mark"}}},
        CheckCase{"FourByteUtf8WithoutAByteOrderMark",
                  kHeader + "BEGIN S\nSmile \xF0\x9F\x98\x80\thttp://b.example/\nEND\n",
                  {{5, true, "byte-order mark"}}},
        CheckCase{"Utf8WithAByteOrderMark",
                  kMark + kHeader +
                      "BEGIN S\nB\xC3\xBC"
                      "cher\thttp://b.example/\nEND\n",
                  {}},
        CheckCase{"AnsiBytesThatAreNotUtf8",
                  kHeader + "BEGIN S\nB\xFC"
                            "cher\thttp://b.example/\nEND\n",
                  {}},
        CheckCase{"Utf16WithItsMark", "\xFF\xFE" + Utf16(kCleanText), {{1, true, "UTF-16"}}},
        CheckCase{"Utf16WithoutAMark", Utf16(kCleanText), {{1, true, "UTF-16"}}},
        CheckCase{"CrOnlyLineEnds", WithCrOnly(kCleanText), {{1, true, "CR alone"}}},
        CheckCase{"RootLineWithoutBegin",
                  kHeader + "Sites\nA\thttp://a.example/\nEND\n",
                  {{4, false, "does not begin with BEGIN"}}},
        CheckCase{"LineWithoutTab",
                  kHeader + "BEGIN S\nA\thttp://a.example/\nNews news.htm\nEND\n",
                  {{6, true, "holds no TAB"}}},
        CheckCase{"EmptyBodyLine",
                  kHeader + "BEGIN S\nA\thttp://a.example/\n \r\nB\thttp://b.example/\nEND\n",
                  {{6, true, "empty line"}}},
        CheckCase{"RootNeverClosed",
                  kHeader + "BEGIN S\nA\thttp://a.example/\nBEGIN T\nB\thttp://b.example/\nEND\n",
                  {{4, true, "never closed"}}},
        CheckCase{
            "NestedBlocksNeverClosed",
            kHeader + "BEGIN S\nBEGIN T\nBEGIN U\nB\thttp://b.example/\n",
            {{4, true, "never closed"}, {5, true, "never closed"}, {6, true, "never closed"}}},
        CheckCase{"LastLineWithoutLineFeed",
                  kHeader + "BEGIN S\nA\thttp://a.example/\nB\thttp://b.example/\nEND",
                  {{4, true, "never closed"}, {7, true, "no line feed"}}},
        CheckCase{"LineOf255BytesIsAllowed",
                  kHeader + "BEGIN S\nA\thttp://" + Repeat('x', 246) + "\nEND\n",
                  {}},
        CheckCase{"LineOver255Bytes",
                  kHeader + "BEGIN S\nA\thttp://" + Repeat('x', 247) + "\nEND\n",
                  {{5, false, "256 bytes"}}},
        CheckCase{"CarriageReturnCountsTowardTheLine",
                  kHeader + "BEGIN S\nA\thttp://" + Repeat('x', 246) + "\r\nEND\n",
                  {{5, false, "256 bytes"}}},
        CheckCase{"NulByte",
                  kHeader + "BEGIN S\nA\thttp://a.example/" + std::string(1, '\0') + "b\nEND\n",
                  {{5, true, "NUL"}}},
        CheckCase{
            "TwentyBytes", "1\n2\n3\n4\n5\n6\n7\n8\n9\n0\n", {{1, true, "20 bytes or fewer"}}},
        CheckCase{"Empty", "", {{1, true, "20 bytes or fewer"}}},
        CheckCase{"SeveralInLineOrder",
                  "1\n2.1.0.0\n0\nBEGIN S\n\nA\thttp://a.example/\nEND\nafter\n",
                  {{2, false, "version"},
                   {3, true, "reads as 0"},
                   {5, true, "empty line"},
                   {8, true, "after the root's END"}}}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return info.param.name; });

// A clean menu of exactly the bytes that are read, ending with the root's END
// line; lines counts its lines.
std::string FullSizeMenu(std::size_t& lines) {
    std::string text = kHeader + "BEGIN S\n";
    lines = 4;
    const std::string site = "A\thttp://a.example/\n";
    const std::string end = "END\n";
    while (text.size() + 2 * site.size() + end.size() <= kMaxBodyBytes) {
        text += site;
        ++lines;
    }
    text += std::string(kMaxBodyBytes - text.size() - site.size() - end.size(), ' ') + site;
    text += end;
    lines += 2;
    return text;
}

TEST(MenuToolCheck, ExactlyTheBytesThatAreReadIsFine) {
    std::size_t lines = 0;
    const std::string text = FullSizeMenu(lines);
    ASSERT_EQ(kMaxBodyBytes, text.size());
    EXPECT_TRUE(CheckMenuText(text.data(), text.size()).empty());
}

TEST(MenuToolCheck, TextBeyond65536BytesIsReportedOnTheLineWhereTheCutFalls) {
    std::size_t lines = 0;
    const std::string text = FullSizeMenu(lines) + "more\n";
    const std::vector<CheckFinding> found = CheckMenuText(text.data(), text.size());
    ASSERT_EQ(1u, found.size());
    EXPECT_EQ(lines + 1, found[0].line);
    EXPECT_TRUE(found[0].losesText);
    EXPECT_NE(std::string::npos, found[0].text.find("65,536"));
}

TEST(MenuToolCheck, CutThroughTheRootEndLeavesTheRootOpen) {
    std::size_t lines = 0;
    std::string text = FullSizeMenu(lines);
    text.insert(text.size() - 4, "  "); // the root's END now ends two bytes past the cut
    const std::vector<CheckFinding> found = CheckMenuText(text.data(), text.size());
    ASSERT_EQ(2u, found.size());
    EXPECT_EQ(4u, found[0].line);
    EXPECT_NE(std::string::npos, found[0].text.find("never closed"));
    EXPECT_EQ(lines, found[1].line);
    EXPECT_NE(std::string::npos, found[1].text.find("65,536"));
}

TEST(MenuToolCheck, FindingsPrintAsFileLineText) {
    const std::vector<CheckFinding> findings{{6, true, "empty line; the program skips it"},
                                             {12, false, "something else"}};
    std::ostringstream out;
    WriteFindings(out, "menus/sites.txt", findings);
    EXPECT_EQ("menus/sites.txt:6: empty line; the program skips it\n"
              "menus/sites.txt:12: something else\n",
              out.str());
}

TEST(MenuToolCheck, OnlyFindingsThatLoseTextFail) {
    EXPECT_EQ(0, CheckExitCode({}));
    EXPECT_EQ(0, CheckExitCode({{2, false, "a"}, {9, false, "b"}}));
    EXPECT_EQ(1, CheckExitCode({{2, false, "a"}, {9, true, "b"}}));
}

} // namespace
