// The stored form of a menu: the exact bytes of known trees, and what the
// reader makes of the menu-level variations a stored value can hold.
#include "menu/MenuArchive.h"
#include "menu/MenuClass.h"
#include "menu/MenuSite.h"
#include "tests/fake/FakePlatform.h"
#include "tests/fake/MenuTreeEquality.h"
#include "tests/unit/MenuArchiveBytes.h"

#include <gtest/gtest.h>

namespace {

const std::string kExampleText = "1\n2.1.2.5\n37\nBEGIN Sites\nNews\tnews.htm\n-\n"
                                 "BEGIN &Reference\nEpisodes\t\tepisodes.htm\nEND\nEND\n";

const Bytes kExampleBytes = Hex("FF FF 01 00 09 00 43 4D 65 6E 75 44 61 74 61"
                                " 01 00 25 00 05 53 69 74 65 73 03 00 00 00"
                                " FF FF 01 00 09 00 43 4D 65 6E 75 53 69 74 65"
                                " 04 4E 65 77 73 08 6E 65 77 73 2E 68 74 6D E9 03 00 00"
                                " FF FF 01 00 0C 00 43 4D 65 6E 75 44 69 76 69 64 65 72 00"
                                " FF FF 01 00 0A 00 43 4D 65 6E 75 50 6F 70 55 70"
                                " 0A 26 52 65 66 65 72 65 6E 63 65 01 00 00 00"
                                " 03 80 08 45 70 69 73 6F 64 65 73"
                                " 0C 65 70 69 73 6F 64 65 73 2E 68 74 6D EA 03 00 00");

// A menu parsed from text and built, so its sites carry their identifiers.
std::unique_ptr<CMenuData> BuiltMenu(const std::string& text) {
    auto menu = std::make_unique<CMenuData>();
    EXPECT_EQ(0, menu->ParseText(0, text.data(), text.size()));
    EXPECT_TRUE(menu->BuildMenu());
    return menu;
}

ArchiveReadResult Read(const Bytes& bytes) {
    return ReadMenuArchive(bytes.data(), bytes.size());
}

class MenuArchiveExample : public ::testing::Test {
protected:
    FakePlatform fake;
};

TEST_F(MenuArchiveExample, BuiltExampleTreeIsStoredAsTheKnownBytes) {
    const auto menu = BuiltMenu(kExampleText);
    const Bytes written = WriteMenuArchive(*menu);
    ASSERT_EQ(140u, written.size());
    EXPECT_EQ(kExampleBytes, written);
}

TEST_F(MenuArchiveExample, KnownBytesReadBackAsTheExampleTree) {
    const auto expected = BuiltMenu(kExampleText);
    const ArchiveReadResult result = Read(kExampleBytes);
    ASSERT_EQ(ArchiveError::none, result.error);
    ASSERT_NE(nullptr, result.menu);
    EXPECT_EQ("", DescribeTreeDifference(*expected, *result.menu));
    EXPECT_EQ(nullptr, result.menu->m_hMenu);
    std::string url;
    EXPECT_TRUE(result.menu->FindCommand(1002, url));
    EXPECT_EQ("episodes.htm", url);
}

TEST_F(MenuArchiveExample, ReadEntriesHaveTheirOwnClasses) {
    const ArchiveReadResult result = Read(kExampleBytes);
    ASSERT_NE(nullptr, result.menu);
    const auto& children = result.menu->m_rootPopUp.m_arrChildren;
    ASSERT_EQ(3u, children.size());
    EXPECT_EQ(&kMenuSiteClass, &children[0]->GetRuntimeClass());
    EXPECT_EQ(&kMenuDividerClass, &children[1]->GetRuntimeClass());
    EXPECT_EQ(&kMenuPopUpClass, &children[2]->GetRuntimeClass());
    EXPECT_TRUE(children[2]->IsPopUp());
}

TEST_F(MenuArchiveExample, EmptyMenuIsTwentyFourBytes) {
    const CMenuData empty;
    const Bytes expected =
        Join({NewClass("CMenuData"), Hex("01 00"), Hex("00 00"), Hex("00"), Hex("00 00 00 00")});
    const Bytes written = WriteMenuArchive(empty);
    EXPECT_EQ(24u, written.size());
    EXPECT_EQ(expected, written);
}

TEST_F(MenuArchiveExample, SecondSubMenuIsIntroducedByItsClassIndex) {
    const std::string text = "1\n2.1.2.5\n37\nBEGIN Sites\nNews\tnews.htm\n-\n"
                             "BEGIN &Reference\nEpisodes\t\tepisodes.htm\nEND\n"
                             "BEGIN More\nEND\nEND\n";
    const auto menu = BuiltMenu(text);
    const Bytes written = WriteMenuArchive(*menu);
    // Up to the end of the first sub-menu only the root's count differs.
    Bytes expectedHead = kExampleBytes;
    expectedHead[25] = 4;
    const Bytes expected = Join({expectedHead, Hex("07 80"), ShortString("More"), U32(0)});
    EXPECT_EQ(expected, written);
}

TEST_F(MenuArchiveExample, ClassIndexesFollowFirstAppearance) {
    // A sub-menu first, then sites: CMenuPopUp takes index 3, CMenuSite 5.
    const std::string text = "1\n2.1.2.5\n5\nBEGIN R\nBEGIN P\nA\ta\nEND\nB\tb\nEND\n";
    const auto menu = BuiltMenu(text);
    const Bytes expected = Join(
        {NewClass("CMenuData"), Hex("01 00 05 00"), ShortString("R"), U32(2),
         NewClass("CMenuPopUp"), ShortString("P"), U32(1), NewClass("CMenuSite"), ShortString("A"),
         ShortString("a"), U32(1001), Hex("05 80"), ShortString("B"), ShortString("b"), U32(1002)});
    EXPECT_EQ(expected, WriteMenuArchive(*menu));
}

class MenuArchiveMenuLevel : public ::testing::Test {
protected:
    FakePlatform fake;
};

TEST_F(MenuArchiveMenuLevel, OtherFormatVersionReadsAsEmptyMenu) {
    for (std::uint8_t version : {0, 2, 0xFF}) {
        Bytes bytes = kExampleBytes;
        bytes[15] = version;
        const ArchiveReadResult result = Read(bytes);
        ASSERT_EQ(ArchiveError::none, result.error) << int(version);
        ASSERT_NE(nullptr, result.menu);
        EXPECT_EQ(0, result.menu->m_wMenuNumber);
        EXPECT_TRUE(result.menu->m_rootPopUp.m_arrChildren.empty());
        EXPECT_EQ("", result.menu->m_rootPopUp.m_strCaption);
    }
}

TEST_F(MenuArchiveMenuLevel, OtherFormatVersionNeedsNothingAfterIt) {
    const Bytes bytes = Join({NewClass("CMenuData"), Hex("02 00")});
    const ArchiveReadResult result = Read(bytes);
    EXPECT_EQ(ArchiveError::none, result.error);
    EXPECT_NE(nullptr, result.menu);
}

TEST_F(MenuArchiveMenuLevel, StrayBytesAfterTheMenuAreIgnored) {
    const auto expected = BuiltMenu(kExampleText);
    for (const Bytes& stray : {Hex("00"), Hex("FF FF FF FF"), kExampleBytes}) {
        const ArchiveReadResult result = Read(Join({kExampleBytes, stray}));
        ASSERT_EQ(ArchiveError::none, result.error);
        ASSERT_NE(nullptr, result.menu);
        EXPECT_EQ("", DescribeTreeDifference(*expected, *result.menu));
    }
}

TEST_F(MenuArchiveMenuLevel, TopLevelNullGivesNoObject) {
    for (const Bytes& bytes : {Hex("00 00"), Hex("00 00 01 02 03"), Hex("FF 7F 00 00 00 00")}) {
        const ArchiveReadResult result = Read(bytes);
        EXPECT_EQ(ArchiveError::noObject, result.error);
        EXPECT_EQ(nullptr, result.menu);
    }
}

TEST_F(MenuArchiveMenuLevel, EmptyValueIsEndOfFile) {
    const ArchiveReadResult result = ReadMenuArchive(nullptr, 0);
    EXPECT_EQ(ArchiveError::endOfFile, result.error);
    EXPECT_EQ(nullptr, result.menu);
}

TEST(MenuArchiveErrorName, NamesEveryCauseAsTheToolPrintsIt) {
    const std::pair<ArchiveError, std::string> cases[] = {
        {ArchiveError::endOfFile, "endOfFile"}, {ArchiveError::badClass, "badClass"},
        {ArchiveError::badSchema, "badSchema"}, {ArchiveError::badIndex, "badIndex"},
        {ArchiveError::noObject, "no object"},
    };
    for (const auto& [error, name] : cases)
        EXPECT_EQ(name, ArchiveErrorName(error));
}

} // namespace
