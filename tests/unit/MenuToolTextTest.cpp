// `vellinor-menu unpack --text`: a stored menu written back as a menu text
// that installs as the same tree, or the reasons why no text can.
#include "menu/CommandCounter.h"
#include "menu/MenuArchive.h"
#include "menu/MenuDivider.h"
#include "menu/MenuSite.h"
#include "tests/fake/FakePlatform.h"
#include "tests/fake/MenuTreeEquality.h"
#include "tools/DownloadedMenu.h"
#include "tools/MenuCheck.h"
#include "tools/MenuTextExport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

void AddSite(CMenuPopUp& parent, const std::string& caption, const std::string& url) {
    auto site = std::make_unique<CMenuSite>();
    site->m_strCaption = caption;
    site->m_strUrl = url;
    parent.m_arrChildren.push_back(std::move(site));
}

CMenuPopUp& AddPopUp(CMenuPopUp& parent, const std::string& caption) {
    auto popUp = std::make_unique<CMenuPopUp>();
    popUp->m_strCaption = caption;
    CMenuPopUp& added = *popUp;
    parent.m_arrChildren.push_back(std::move(popUp));
    return added;
}

void AddDivider(CMenuPopUp& parent, const std::string& caption = "") {
    auto divider = std::make_unique<CMenuDivider>();
    divider->m_strCaption = caption;
    parent.m_arrChildren.push_back(std::move(divider));
}

void AddBareItem(CMenuPopUp& parent, const std::string& caption) {
    auto item = std::make_unique<CMenuItem>();
    item->m_strCaption = caption;
    parent.m_arrChildren.push_back(std::move(item));
}

// Installs text as the program does when it holds no menu.
void Install(const std::string& text, CMenuData& menu) {
    EXPECT_EQ(0, ReadDownloadedMenu(0, text.data(), text.size(), menu)) << text;
}

class MenuToolText : public ::testing::Test {
protected:
    FakePlatform fake;
};

TEST_F(MenuToolText, ExampleMenuGivesItsText) {
    CMenuData menu;
    Install("1\n2.1.2.5\n37\nBEGIN Sites\nNews\tnews.htm\n-\nBEGIN &Reference\n"
            "Episodes\t\tepisodes.htm\nEND\nEND\n(anything)\n",
            menu);
    const MenuTextExport exported = ExportMenuText(menu);
    EXPECT_TRUE(exported.problems.empty());
    EXPECT_EQ("1\n2.1.2.5\n37\nBEGIN Sites\nNews\tnews.htm\n-\nBEGIN &Reference\n"
              "Episodes\tepisodes.htm\nEND\nEND\n",
              exported.text);
}

TEST_F(MenuToolText, AMenuWithoutEntriesHasNoText) {
    CMenuData menu;
    menu.m_wMenuNumber = 5;
    const MenuTextExport exported = ExportMenuText(menu);
    ASSERT_EQ(1u, exported.problems.size());
    EXPECT_NE(std::string::npos, exported.problems[0].find("no entries"));
}

class TextRoundTrip : public MenuToolText, public ::testing::WithParamInterface<std::string> {};

TEST_P(TextRoundTrip, ExportedTextInstallsAsTheSameTreeAndChecksClean) {
    CMenuData original;
    Install(GetParam(), original);
    const std::vector<std::uint8_t> stored = WriteMenuArchive(original);
    const ArchiveReadResult read = ReadMenuArchive(stored.data(), stored.size());
    ASSERT_EQ(ArchiveError::none, read.error);

    const MenuTextExport exported = ExportMenuText(*read.menu);
    ASSERT_TRUE(exported.problems.empty()) << exported.problems[0];
    CMenuData again;
    Install(exported.text, again);
    EXPECT_EQ("", DescribeTreeDifference(original, again));
    // The text is read as written; only its addresses, as the menu has them,
    // may draw findings.
    for (const CheckFinding& finding : CheckMenuText(exported.text.data(), exported.text.size()))
        EXPECT_EQ(0u, finding.text.find("address ")) << finding.text << '\n' << exported.text;
}

INSTANTIATE_TEST_SUITE_P(
    MenuToolTextTrees, TextRoundTrip,
    ::testing::Values(
        "1\r\n2.1.2.5\r\n-1\r\nBEGIN Sites\r\n\tNews \tnews.htm\r\n  -\r\nEND\r\n",
        "1\n2.1.2.5\n5\nBEGIN\n-\nEND\n",
        "1\n2.1.2.5\n6\nBEGIN   Spaced root\nBEGIN\tTabbed\nBEGIN\nEND\nEND\nBEGIN:x\nEND\nEND\n",
        "1\n2.1.2.5\n7\nBEGIN a\rb\nThe END\tx\nBegin\ty\nend\tz\nA\t b\tc d\nX\v Y\tu\vv\n"
        "BEGINNER\t\tpage.htm\nEND\n-- more --\nEND\n",
        "1\n2.1.3.0\n8\nBEGIN R\nCaf\xe9 \"&Ok\"\\\thttp://example.test/?a=1&b=\xff\nEND\n"));

struct ProblemCase {
    std::string name;
    void (*build)(CMenuPopUp& root);
    std::string words;
};

std::ostream& operator<<(std::ostream& out, const ProblemCase& c) {
    return out << c.name;
}

class TextProblems : public MenuToolText, public ::testing::WithParamInterface<ProblemCase> {};

TEST_P(TextProblems, AreReportedForTheEntryInsteadOfAWrongText) {
    CMenuData menu;
    menu.m_wMenuNumber = 3;
    menu.m_rootPopUp.m_strCaption = "Root";
    AddSite(menu.m_rootPopUp, "Fine", "fine.htm");
    GetParam().build(menu.m_rootPopUp);
    const MenuTextExport exported = ExportMenuText(menu);
    ASSERT_EQ(1u, exported.problems.size());
    EXPECT_NE(std::string::npos, exported.problems[0].find(GetParam().words))
        << exported.problems[0];
}

INSTANTIATE_TEST_SUITE_P(
    MenuToolTextTrees, TextProblems,
    ::testing::Values(
        ProblemCase{"SiteCaptionLeadingSpace", [](CMenuPopUp& r) { AddSite(r, " Lead", "u"); },
                    "entry 2 (site \" Lead\"): would read back as caption \"Lead\""},
        ProblemCase{"SiteCaptionTab", [](CMenuPopUp& r) { AddSite(r, "a\tb", "u"); },
                    "caption \"a\" and address \"b\\tu\""},
        ProblemCase{"SiteCaptionEnd", [](CMenuPopUp& r) { AddSite(r, "END game", "u"); },
                    "would read as a block end"},
        ProblemCase{"SiteCaptionBegin", [](CMenuPopUp& r) { AddSite(r, "BEGINNER", "u"); },
                    "would read as a sub-menu"},
        ProblemCase{"SiteCaptionDash", [](CMenuPopUp& r) { AddSite(r, "-x-", "u"); },
                    "would read as a divider"},
        ProblemCase{"SiteCaptionEmpty", [](CMenuPopUp& r) { AddSite(r, "", "u"); },
                    "would read as a line the program skips"},
        ProblemCase{"SiteAddressEmpty", [](CMenuPopUp& r) { AddSite(r, "c", ""); },
                    "would read as a line the program skips"},
        ProblemCase{"SiteAddressLeadingTab", [](CMenuPopUp& r) { AddSite(r, "c", "\tu"); },
                    "address \"u\""},
        ProblemCase{"SiteAddressTrailingSpace", [](CMenuPopUp& r) { AddSite(r, "c", "u "); },
                    "address \"u\""},
        ProblemCase{"SiteAddressNul",
                    [](CMenuPopUp& r) { AddSite(r, "c", std::string("a\0b", 3)); },
                    "address \"a\""},
        ProblemCase{"SiteCaptionLineFeed", [](CMenuPopUp& r) { AddSite(r, "a\nb", "u"); },
                    "line feed"},
        ProblemCase{"PopUpCaptionTrailingSpace",
                    [](CMenuPopUp& r) { AddSite(AddPopUp(r, "Sub "), "In", "in"); },
                    "entry 2 (popup \"Sub \"): would read back as caption \"Sub\""},
        ProblemCase{"PopUpCaptionLineFeed",
                    [](CMenuPopUp& r) { AddPopUp(AddPopUp(r, "A"), "x\ny"); },
                    "entry 3 (popup \"x\\ny\"): its caption holds a line feed"},
        ProblemCase{"RootCaptionTrailingTab", [](CMenuPopUp& r) { r.m_strCaption = "Root\t"; },
                    "root \"Root\\t\": would read back as caption \"Root\""},
        ProblemCase{"DividerCaption", [](CMenuPopUp& r) { AddDivider(r, "line"); },
                    "divider's caption"},
        ProblemCase{"BareEntry", [](CMenuPopUp& r) { AddBareItem(r, "bare"); }, "bare entry"}),
    [](const ::testing::TestParamInfo<ProblemCase>& info) { return info.param.name; });

TEST_F(MenuToolText, MenuNumberZeroWouldLoadNothing) {
    CMenuData menu;
    AddSite(menu.m_rootPopUp, "A", "a");
    const MenuTextExport exported = ExportMenuText(menu);
    ASSERT_EQ(1u, exported.problems.size());
    EXPECT_NE(std::string::npos, exported.problems[0].find("menu number 0"));
}

TEST_F(MenuToolText, DeepestMenuWouldNotFitTheBytesThatAreRead) {
    // Unclosed blocks as deep as a 64 KiB text allows; the end of the lines
    // closes them, but the text written back needs every END.
    std::string text = "1\n2.1.2.5\n9\nBEGIN Deep\n";
    while (text.size() + 6 <= kMaxBodyBytes)
        text += "BEGIN\n";
    CMenuData menu;
    Install(text, menu);
    const MenuTextExport exported = ExportMenuText(menu);
    ASSERT_EQ(1u, exported.problems.size());
    EXPECT_NE(std::string::npos, exported.problems[0].find("65,536"));
}

// Trees of captions and addresses drawn from the bytes the text format gives
// meaning to: the export reports a problem exactly when its text would not
// install as the same tree.
TEST_F(MenuToolText, RandomTreesRoundTripExactlyWhenNoProblemIsReported) {
    static const char kBytes[] = {'a', 'Z', '&', ' ', '\t', '\r', '\n', '\v',
                                  '-', 'E', 'N', 'D', 'B',  'G',  'I',  '\0'};
    std::mt19937 random(20240607u);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto draw = [&]() {
        std::string bytes;
        for (int length = pick(5); length > 0; --length)
            bytes.push_back(pick(2) == 0 ? 'x' : kBytes[pick(sizeof kBytes)]);
        return bytes;
    };
    int clean = 0;
    for (int round = 0; round < 400; ++round) {
        CMenuData menu;
        menu.m_wMenuNumber = static_cast<std::uint16_t>(1 + pick(65535));
        menu.m_rootPopUp.m_strCaption = draw();
        std::vector<CMenuPopUp*> popUps{&menu.m_rootPopUp};
        for (int entries = 1 + pick(8); entries > 0; --entries) {
            CMenuPopUp& parent =
                *popUps[static_cast<std::size_t>(pick(static_cast<int>(popUps.size())))];
            switch (pick(6)) {
            case 0:
                popUps.push_back(&AddPopUp(parent, draw()));
                break;
            case 1:
                AddDivider(parent, pick(4) == 0 ? draw() : "");
                break;
            default:
                AddSite(parent, draw(), draw());
            }
        }
        NumberSites(menu.m_rootPopUp);

        const MenuTextExport exported = ExportMenuText(menu);
        CMenuData again;
        ReadDownloadedMenu(0, exported.text.data(), exported.text.size(), again);
        const std::string difference = DescribeTreeDifference(menu, again);
        EXPECT_EQ(exported.problems.empty(), difference.empty())
            << "round " << round << ": " << difference << "\n"
            << (exported.problems.empty() ? "" : exported.problems[0]);
        clean += exported.problems.empty() ? 1 : 0;
    }
    // Both outcomes must be well represented for the comparison to mean much.
    EXPECT_GT(clean, 40);
    EXPECT_LT(clean, 360);
}

} // namespace
