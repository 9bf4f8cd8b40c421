// `vellinor-menu pack` and `unpack`: the stored bytes of an installed menu,
// read back as the program reads them at start-up.
#include "menu/MenuArchive.h"
#include "menu/MenuSite.h"
#include "tests/fake/FakePlatform.h"
#include "tests/fake/MenuTreeEquality.h"
#include "tools/DownloadedMenu.h"
#include "tools/MenuListing.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string Menu(const std::string& number, const std::string& body) {
    return "1\n2.1.2.5\n" + number + "\n" + body;
}

std::vector<std::uint8_t> Pack(const std::string& text) {
    CMenuData menu;
    EXPECT_EQ(0, ReadDownloadedMenu(0, text.data(), text.size(), menu));
    return WriteMenuArchive(menu);
}

class MenuToolPack : public ::testing::TestWithParam<std::string> {
protected:
    FakePlatform fake;
};

TEST_P(MenuToolPack, StoresWhatTheProgramStoresAfterInstallingTheMenu) {
    const std::string& text = GetParam();
    // The program parses into a fresh menu, builds its pop-up menu (which
    // numbers the sites) and then stores it.
    CMenuData installed;
    ASSERT_EQ(0, installed.ParseText(0, text.data(), text.size()));
    installed.BuildMenu();
    EXPECT_EQ(WriteMenuArchive(installed), Pack(text));
}

TEST_P(MenuToolPack, UnpackGivesBackTheTreeShowPrints) {
    const std::string& text = GetParam();
    const std::vector<std::uint8_t> stored = Pack(text);
    const ArchiveReadResult read = ReadMenuArchive(stored.data(), stored.size());
    ASSERT_EQ(ArchiveError::none, read.error);

    CMenuData shown;
    const int result = ReadDownloadedMenu(0, text.data(), text.size(), shown);
    EXPECT_EQ("", DescribeTreeDifference(shown, *read.menu));
    std::ostringstream showListing;
    WriteShowListing(showListing, result, shown);
    std::ostringstream unpackListing;
    WriteStoredListing(unpackListing, *read.menu);
    EXPECT_EQ(showListing.str(), "result 0\n" + unpackListing.str());
}

std::string ManySites() {
    std::string body = "BEGIN Long\n";
    for (int i = 0; i < 1010; ++i)
        body += "S" + std::to_string(i) + "\tpage" + std::to_string(i) + ".htm\n";
    return Menu("12", body + "END\n");
}

INSTANTIATE_TEST_SUITE_P(
    MenuToolPackTexts, MenuToolPack,
    ::testing::Values(Menu("37", "BEGIN Sites\nNews\tnews.htm\n-\nBEGIN &Reference\n"
                                 "Episodes\t\tepisodes.htm\nEND\nEND\n"),
                      Menu("65535", "BEGIN\n-\nEND\n"),
                      Menu("-1", "BEGIN Root\nBEGIN A\nBEGIN B\nx\ty\nEND\nEND\n-\nEND\n"),
                      Menu("300", "BEGIN " + std::string(300, 'r') + "\nC\t" +
                                      std::string(60000, 'u') + "\nEND\n"),
                      ManySites()));

TEST(MenuToolPackLimits, NoNewMenuForAFirstStartGivesNoBytes) {
    FakePlatform fake;
    struct Case {
        std::string text;
        int result;
    };
    const Case cases[] = {
        {Menu("0", "BEGIN S\nA\ta\nEND\n"), 1},
        {"2\n2.1.2.5\n37\nBEGIN S\nA\ta\nEND\n", 2},
        {Menu("37", "BEGIN S\nEND\n"), 4},
        {"1\n2\n3\n4\n5\n6\n7\n8\n9\n0\n", 4},
    };
    for (const Case& c : cases) {
        CMenuData menu;
        EXPECT_EQ(c.result, ReadDownloadedMenu(0, c.text.data(), c.text.size(), menu)) << c.text;
        EXPECT_TRUE(menu.m_rootPopUp.m_arrChildren.empty());
    }
}

TEST(MenuToolPackLimits, ReadingIsBoundToTheGivenLength) {
    FakePlatform fake;
    const std::string text = Menu("37", "BEGIN S\nA\ta\nB\tb\nEND\nC\tc\n");
    // Cut before the root's END: the end of the bytes closes the root.
    const std::size_t cut = text.find("END");
    const std::vector<char> exact(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(cut));
    CMenuData menu;
    ASSERT_EQ(0, ReadDownloadedMenu(0, exact.data(), exact.size(), menu));
    ASSERT_EQ(2u, menu.m_rootPopUp.m_arrChildren.size());
    EXPECT_EQ(1002, static_cast<CMenuSite&>(*menu.m_rootPopUp.m_arrChildren[1]).m_nCommandId);
}

} // namespace
