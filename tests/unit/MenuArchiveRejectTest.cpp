// Stored values the reader refuses: cut short, naming classes or objects it
// must not use, or declaring more than they hold. None yields a tree.
#include "menu/MenuArchive.h"
#include "tests/fake/FakePlatform.h"
#include "tests/unit/MenuArchiveBytes.h"

#include <gtest/gtest.h>

namespace {

ArchiveReadResult Read(const Bytes& bytes) {
    return ReadMenuArchive(bytes.data(), bytes.size());
}

// A site body: caption, address, identifier.
Bytes SiteBody(const std::string& caption) {
    return Join({ShortString(caption), ShortString("a.htm"), U32(1001)});
}

struct Rejection {
    const char* name;
    Bytes bytes;
    ArchiveError error;
};

class MenuArchiveRejection : public ::testing::TestWithParam<Rejection> {
protected:
    FakePlatform fake;
};

TEST_P(MenuArchiveRejection, YieldsNoMenu) {
    const ArchiveReadResult result = Read(GetParam().bytes);
    EXPECT_EQ(GetParam().error, result.error) << ArchiveErrorName(result.error);
    EXPECT_EQ(nullptr, result.menu);
}

const std::string kLongName(64, 'C');

INSTANTIATE_TEST_SUITE_P(
    TopLevel, MenuArchiveRejection,
    ::testing::Values(
        Rejection{"ObjectIndex", Hex("01 00"), ArchiveError::badIndex},
        Rejection{"LargeObjectIndex", Hex("FF 7F 01 00 00 00"), ArchiveError::badIndex},
        Rejection{"ClassIndexNotYetGiven", Hex("01 80 01 00 00 00"), ArchiveError::badIndex},
        Rejection{"ClassIndexZero", Hex("00 80"), ArchiveError::badIndex},
        Rejection{"LargeClassIndexNotYetGiven", Hex("FF 7F 01 00 00 80"), ArchiveError::badIndex},
        Rejection{"EntryInsteadOfMenu", Join({NewClass("CMenuSite"), SiteBody("x")}),
                  ArchiveError::badClass},
        Rejection{"PopUpInsteadOfMenu", Join({NewClass("CMenuPopUp"), ShortString("x"), U32(0)}),
                  ArchiveError::badClass},
        Rejection{"UnknownName", Join({NewClass("CMenuThing"), Hex("01 00 00 00 00 00 00 00")}),
                  ArchiveError::badClass},
        Rejection{"NameInOtherCase", Join({NewClass("CMENUDATA"), Hex("01 00 00 00 00 00 00 00")}),
                  ArchiveError::badClass},
        Rejection{"NameWithNul", Join({NewClass(std::string("CMenuData\0", 10)), Hex("01 00")}),
                  ArchiveError::badClass},
        // Refused from its length alone, before the name would be read.
        Rejection{"NameLongerThan63", Hex("FF FF 01 00 40 00"), ArchiveError::badClass},
        Rejection{"LongNameOfAKnownClassStillRefused",
                  Join({NewClass(kLongName), Hex("01 00 00 00 00 00 00 00")}),
                  ArchiveError::badClass},
        Rejection{"SchemaTwo", Join({NewClass("CMenuData", 2), Hex("01 00 00 00 00 00 00 00")}),
                  ArchiveError::badSchema},
        Rejection{"SchemaZero", Join({NewClass("CMenuData", 0), Hex("01 00 00 00 00 00 00 00")}),
                  ArchiveError::badSchema}),
    [](const ::testing::TestParamInfo<Rejection>& info) { return info.param.name; });

// In the trees below the class CMenuData has index 1 and the menu index 2;
// the first entry's class, when described, gets 3.
INSTANTIATE_TEST_SUITE_P(
    InTree, MenuArchiveRejection,
    ::testing::Values(
        Rejection{"NullChild", Join({MenuHead(1), Hex("00 00")}), ArchiveError::badIndex},
        Rejection{"LargeNullChild", Join({MenuHead(1), Hex("FF 7F 00 00 00 00")}),
                  ArchiveError::badIndex},
        Rejection{"MenuAsChildByObjectIndex", Join({MenuHead(1), Hex("02 00")}),
                  ArchiveError::badIndex},
        Rejection{"EntryRepeatedByObjectIndex",
                  Join({MenuHead(2), NewClass("CMenuSite"), SiteBody("x"), Hex("04 00")}),
                  ArchiveError::badIndex},
        Rejection{
            "EntryRepeatedByLargeObjectIndex",
            Join({MenuHead(2), NewClass("CMenuSite"), SiteBody("x"), Hex("FF 7F 04 00 00 00")}),
            ArchiveError::badIndex},
        Rejection{"ClassTagNamingTheMenuObject", Join({MenuHead(1), Hex("02 80"), SiteBody("x")}),
                  ArchiveError::badIndex},
        Rejection{
            "ClassTagNamingAnEntry",
            Join({MenuHead(2), NewClass("CMenuSite"), SiteBody("x"), Hex("04 80"), SiteBody("y")}),
            ArchiveError::badIndex},
        Rejection{"LargeClassTagNamingAnObject",
                  Join({MenuHead(1), Hex("FF 7F 02 00 00 80"), SiteBody("x")}),
                  ArchiveError::badIndex},
        Rejection{"ClassIndexBeyondTheLast", Join({MenuHead(1), Hex("03 80"), SiteBody("x")}),
                  ArchiveError::badIndex},
        Rejection{"ClassIndexZero", Join({MenuHead(1), Hex("00 80"), SiteBody("x")}),
                  ArchiveError::badIndex},
        Rejection{"MenuAsChildByClassIndex",
                  Join({MenuHead(1), Hex("01 80 01 00 00 00 00 00 00 00")}),
                  ArchiveError::badClass},
        Rejection{"MenuAsChildByNewClass",
                  Join({MenuHead(1), NewClass("CMenuData"), Hex("01 00 00 00 00 00 00 00")}),
                  ArchiveError::badClass},
        Rejection{"MenuNestedInSubMenu",
                  Join({MenuHead(1), NewClass("CMenuPopUp"), ShortString("P"), U32(1),
                        Hex("01 80 01 00 00 00 00 00 00 00")}),
                  ArchiveError::badClass},
        Rejection{"UnknownEntryClass", Join({MenuHead(1), NewClass("CMenuLink"), SiteBody("x")}),
                  ArchiveError::badClass},
        Rejection{"EntrySchemaTwo", Join({MenuHead(1), NewClass("CMenuSite", 2), SiteBody("x")}),
                  ArchiveError::badSchema},
        Rejection{"FaultAfterGoodEntries",
                  Join({MenuHead(3), NewClass("CMenuSite"), SiteBody("x"), Hex("03 80"),
                        SiteBody("y"), Hex("00 00")}),
                  ArchiveError::badIndex}),
    [](const ::testing::TestParamInfo<Rejection>& info) { return info.param.name; });

// Sizes the data cannot hold are refused at once: reserving them would take
// far more memory than any stored menu, and the sanitizer build would stop.
INSTANTIATE_TEST_SUITE_P(
    DeclaredSizes, MenuArchiveRejection,
    ::testing::Values(
        Rejection{"RootChildCount", MenuHead(0xFFFFFFFF), ArchiveError::endOfFile},
        Rejection{"ChildCountOneTooMany", Join({MenuHead(2), NewClass("CMenuDivider"), Hex("00")}),
                  ArchiveError::endOfFile},
        Rejection{"SubMenuChildCount",
                  Join({MenuHead(1), NewClass("CMenuPopUp"), ShortString("P"), U32(0x7FFFFFFF),
                        Hex("00 00 00 00")}),
                  ArchiveError::endOfFile},
        Rejection{"HugeString",
                  Join({NewClass("CMenuData"), Hex("01 00 25 00 FF FF FF FF FF FF FF 41 42")}),
                  ArchiveError::endOfFile},
        Rejection{"LongString", Join({NewClass("CMenuData"), Hex("01 00 25 00 FF 00 10 41 42")}),
                  ArchiveError::endOfFile},
        Rejection{"HugeUtf16String",
                  Join({NewClass("CMenuData"),
                        Hex("01 00 25 00 FF FE FF FF FF FF FF FF FF 7F 41 00 42 00")}),
                  ArchiveError::endOfFile},
        Rejection{"Utf16UnitCutInHalf",
                  Join({NewClass("CMenuData"), Hex("01 00 25 00 FF FE FF 02 41 00 42")}),
                  ArchiveError::endOfFile},
        Rejection{"ClassNameLongerThanTheData", Hex("FF FF 01 00 3F 00 43 4D"),
                  ArchiveError::endOfFile}),
    [](const ::testing::TestParamInfo<Rejection>& info) { return info.param.name; });

// A stored value with every kind of entry, string forms and a large class
// tag in it, so that cuts fall inside each kind of field. Indexes: 1 CMenuData,
// 2 the menu, 3 CMenuSite, 4 to 7 sites, 8 CMenuPopUp, 9 the sub-menu,
// 10 CMenuDivider, 11 the divider, 12 CMenuItem, 13 the item.
Bytes VariedValue() {
    Bytes entries;
    for (int i = 0; i < 3; ++i)
        entries = Join({entries, Hex("03 80"), SiteBody("s")});
    return Join({MenuHead(7), NewClass("CMenuSite"), SiteBody("first"), entries,
                 NewClass("CMenuPopUp"), Hex("FF 2C 01"), Bytes(300, 'p'), U32(2),
                 NewClass("CMenuDivider"), Hex("00"), NewClass("CMenuItem"),
                 Hex("FF FE FF 02 41 00 42 00"), Hex("FF 7F 03 00 00 80"),
                 Hex("FF FF FF 03 00 00 00 61 62 63"), ShortString("b.htm"), U32(7), Hex("08 80"),
                 ShortString("P2"), U32(0)});
}

TEST(MenuArchiveTruncation, VariedValueIsWhole) {
    FakePlatform fake;
    const Bytes value = VariedValue();
    const ArchiveReadResult result = Read(value);
    ASSERT_EQ(ArchiveError::none, result.error);
    ASSERT_NE(nullptr, result.menu);
    EXPECT_EQ(7u, result.menu->m_rootPopUp.m_arrChildren.size());
    EXPECT_EQ("abc", result.menu->m_rootPopUp.m_arrChildren[5]->m_strCaption);
    EXPECT_TRUE(result.menu->m_rootPopUp.m_arrChildren[6]->IsPopUp());
}

TEST(MenuArchiveTruncation, EveryCutGivesEndOfFile) {
    FakePlatform fake;
    const Bytes value = VariedValue();
    for (std::size_t length = 0; length < value.size(); ++length) {
        // A copy of exactly the kept bytes, so the sanitizer build sees any
        // read past them.
        const Bytes cut(value.begin(), value.begin() + length);
        const ArchiveReadResult result = Read(cut);
        EXPECT_EQ(ArchiveError::endOfFile, result.error) << "cut at " << length;
        EXPECT_EQ(nullptr, result.menu) << "cut at " << length;
    }
}

} // namespace
