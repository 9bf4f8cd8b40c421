// `vellinor-menu check`: every problem the program would meet in a menu file,
// printed on the line where it meets it; only lost text fails the check.
#include "tests/fake/FakePlatform.h"
#include "tests/unit/MenuTextInput.h"
#include "tools/MenuCheck.h"
#include "tools/MenuTextLimits.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string kSite = "A\thttp://a.example/\n";
const std::string kLongest = "A\thttp://" + std::string(246, 'x'); // 255 bytes
// Five digits that are still a plain menu number, CR LF, indenting, a TAB
// after BEGIN, two TABs in a site and blank lines after the end are all fine.
const std::string kClean =
    "1\r\n2.1.2.5\r\n65535\r\nBEGIN Sites\r\n  News\thttp://news.example/\r\n"
    "-\r\nBEGIN\tRef\r\nE\t\thttps://e.example/\r\nEND\r\nEND\r\n\r\n  \r\n";

// Exactly the bytes that are read, padded by one long site line, then more.
std::string FullSize(const std::string& lastRead, const std::string& more) {
    const std::string head = "1\n2.1.2.5\n37\nBEGIN S\n" + kSite + "B\thttp://b.example/";
    return head + std::string(kMaxBodyBytes - head.size() - lastRead.size() - 1, ' ') + '\n' +
           lastRead + more;
}
// Lines of a menu in UTF-16, little-endian.
const std::string kUtf16("B\0E\0G\0I\0N\0 \0S\0\n\0-\0\n\0E\0N\0D\0\n\0", 28);

TEST(MenuToolCheck, NamesEachProblemOnItsLineAndFailsOnlyWhenTextIsLost) {
    FakePlatform fake; // the code page of text with a byte-order mark
    // Name, text, and each finding as `LINE: words`, marked with a `*` when it
    // only informs.
    const std::tuple<std::string, std::string, std::vector<std::string>> table[] = {
        {"Clean", kClean, {}},
        // Problems that leave the rest of the text to be read, one per line.
        {"LineByLine",
         "1\n2.1.3.0\n65573\nS\n" + kSite +
             "-Sale\tx.example\nA\tcalc\nA\tnews.htm\nNews    n.htm\n \r\n" + kLongest + "\r\n" +
             kLongest +
             "\nBEGIN\tT\nBEGINNERS\tx.example\nEND\nEND\nENDURANCE\tx.example\n\nafter\n",
         {"*2: version \"2.1.3.0\"", "3: reads it as 37", "*4: does not begin with BEGIN",
          "6: as a divider", "7: refuses", "*8: opened as \"http://news.htm\"", "9: holds no TAB",
          "10: empty line", "*11: 256 bytes", "14: opening of a sub-menu", "17: end of its block",
          "19: after the root's END"}},
        // Headers the program loads nothing from, or not as written.
        {"FiveLines", "1\n2.1.2.5\n37\nBEGIN S\n" + kSite, {"1: 5 lines"}},
        {"Two", "2" + MenuText("37", "News    n.htm\n").substr(1), {"1: format number \"2\""}},
        {"NumberZero", MenuText("0", kSite), {"3: reads as 0"}},
        {"NumberNotPlain", MenuText("37a", kSite), {"3: reads it as 37"}},
        {"NumberOfSixDigits", MenuText("000007", kSite), {"3: reads it as 7"}},
        {"TextRightAfterTheEnd", MenuText("37", kSite) + "x\n", {"7: after the root's END"}},
        {"LongWithANul", MenuText("37", kLongest + '\0' + "\n"), {"*5: bytes long", "5: NUL"}},
        {"Skipped", MenuText("37", "News    n.htm\n"), {"4: no entries", "5: holds no TAB"}},
        {"Utf8WithoutAMark", MenuText("37", "B\xC3\xBC\thttp://b.test/\n"), {"5: byte-order"}},
        {"Utf16WithItsMark", "\xFF\xFE" + kUtf16, {"1: UTF-16"}},
        {"Utf16WithTheOtherMark", "\xFE\xFF" + kUtf16, {"1: UTF-16"}},
        {"Utf16WithoutAMark", kUtf16, {"1: UTF-16"}},
        {"CrOnly", "1\r2.1.2.5\r37\rBEGIN S\rA\tb.htm\rEND\r", {"1: CR alone"}},
        {"UnclosedBlocksWithoutTheLastLineFeed",
         MenuText("37", "BEGIN T\nBEGIN U\n" + kSite) + "END",
         {"4: never closed", "5: never closed", "9: no line feed"}},
        {"TwentyBytes", "1\n2\n3\n4\n5\n6\n7\n8\n9\n0\n", {"1: 20 bytes or"}},
        {"ExactlyTheBytesThatAreRead", FullSize("END\n", ""), {"*6: bytes long"}},
        {"CutEnd", FullSize("  EN", "D\n"), {"4: never closed", "*6: bytes long", "7: 65,536"}}};
    for (const auto& [name, text, findings] : table) {
        SCOPED_TRACE(name);
        const std::vector<CheckFinding> found = CheckMenuText(text.data(), text.size());
        std::ostringstream out;
        WriteFindings(out, "sites.txt", found);
        ASSERT_EQ(findings.size(), found.size()) << out.str();
        std::istringstream printed(out.str());
        std::string line;
        int exitCode = 0;
        for (std::size_t i = 0; std::getline(printed, line); ++i) {
            const std::string& e = findings[i];
            const bool informs = e[0] == '*';
            const std::size_t words = e.find(": ") + 2;
            EXPECT_EQ(0u, line.find("sites.txt:" + e.substr(informs, words - informs))) << line;
            EXPECT_NE(std::string::npos, line.find(e.substr(words))) << line;
            EXPECT_EQ(!informs, found[i].losesText) << line;
            exitCode = informs ? exitCode : 1;
        }
        EXPECT_EQ(exitCode, CheckExitCode(found));
    }
}

} // namespace
