// The stored form of a menu: the exact bytes of known trees, strings in every
// length form, what any tree reads back as, and the values the reader refuses.
#include "menu/MenuArchive.h"
#include "menu/ArchiveReader.h"
#include "menu/ArchiveWriter.h"
#include "menu/MenuDivider.h"
#include "menu/MenuSite.h"
#include "tests/fake/FakePlatform.h"
#include "tests/fake/MenuTreeEquality.h"
#include "tests/unit/MenuTextInput.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <tuple>

namespace {

// Hand-made stored menus for the archive tests, written the way the byte
// tables read: Hex("FF FF 01 00") and so on.
using Bytes = std::vector<std::uint8_t>;

Bytes Hex(const std::string& text) {
    Bytes bytes;
    std::istringstream in(text);
    for (std::string pair; in >> pair;)
        bytes.push_back(static_cast<std::uint8_t>(std::strtoul(pair.c_str(), nullptr, 16)));
    return bytes;
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes bytes;
    for (const Bytes& part : parts)
        bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

// A string in its one-byte length form.
Bytes ShortString(const std::string& text) {
    return Join({{static_cast<std::uint8_t>(text.size())}, Bytes(text.begin(), text.end())});
}

// A class description introduced by the new-class tag; names are short.
Bytes NewClass(const std::string& name, std::uint8_t schema = 1) {
    return Join({Hex("FF FF"),
                 {schema, 0, static_cast<std::uint8_t>(name.size()), 0},
                 Bytes(name.begin(), name.end())});
}

const Bytes kExampleBytes = Hex("FF FF 01 00 09 00 43 4D 65 6E 75 44 61 74 61"
                                " 01 00 25 00 05 53 69 74 65 73 03 00 00 00"
                                " FF FF 01 00 09 00 43 4D 65 6E 75 53 69 74 65"
                                " 04 4E 65 77 73 08 6E 65 77 73 2E 68 74 6D E9 03 00 00"
                                " FF FF 01 00 0C 00 43 4D 65 6E 75 44 69 76 69 64 65 72 00"
                                " FF FF 01 00 0A 00 43 4D 65 6E 75 50 6F 70 55 70"
                                " 0A 26 52 65 66 65 72 65 6E 63 65 01 00 00 00"
                                " 03 80 08 45 70 69 73 6F 64 65 73"
                                " 0C 65 70 69 73 6F 64 65 73 2E 68 74 6D EA 03 00 00");

// The start of a stored menu up to the root's child count: class CMenuData
// (index 1), the menu (index 2), version 1, number 37, root caption "R".
Bytes MenuHead(std::uint8_t childCount) {
    return Join({NewClass("CMenuData"), Hex("01 00 25 00 01 52"), {childCount, 0, 0, 0}});
}

// The example menu, built, so its sites carry their identifiers.
class MenuArchiveTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0, ParseExactly(example, 0, kExampleMenuText));
        ASSERT_TRUE(example.BuildMenu());
    }

    FakePlatform fake;
    CMenuData example;
};

TEST_F(MenuArchiveTest, ExampleIsStoredAsTheKnownBytesAndReadBack) {
    example.m_rootPopUp.m_arrChildren.push_back(nullptr); // left out
    EXPECT_EQ(kExampleBytes, WriteMenuArchive(example));
    example.m_rootPopUp.m_arrChildren.pop_back();
    // Stray bytes after the menu are no part of it.
    const Bytes stored = Join({kExampleBytes, Hex("FF FF FF FF")});
    const ArchiveReadResult result = ReadMenuArchive(stored.data(), stored.size());
    EXPECT_EQ(ArchiveError::none, result.error);
    EXPECT_EQ("", result.menu ? DescribeTreeDifference(example, *result.menu) : "no menu");
}

// Read into a held, built menu, the stored one replaces its entries and menus.
TEST_F(MenuArchiveTest, ReadingIntoAHeldMenuReplacesItsEntriesAndMenu) {
    CMenuData stored;
    stored.m_wMenuNumber = 12;
    stored.m_rootPopUp.m_arrChildren.push_back(std::make_unique<CMenuSite>("S\ts.htm"));
    const Bytes written = WriteMenuArchive(stored);
    // The body starts after the tag and class description of CMenuData.
    ArchiveReader reader(written.data() + 15, written.size() - 15);
    example.Serialize(reader);
    EXPECT_EQ(ArchiveError::none, reader.Error());
    EXPECT_EQ("", DescribeTreeDifference(stored, example));
    EXPECT_EQ(nullptr, example.m_hMenu);
    EXPECT_EQ(0u, fake.menus.LiveMenuCount());
}

// Sites take indexes 3 (their class) and 4 onward, so the divider class
// first met after n sites gets index n + 4; from 0x7FFF on its tag needs
// the large form.
TEST_F(MenuArchiveTest, ClassMetLateIsNamedInTheRightForm) {
    for (const auto& [sites, tag] :
         {std::pair{32762, "FE FF"}, std::pair{32763, "FF 7F FF 7F 00 80"}}) {
        CMenuData menu;
        for (int i = 0; i < sites; ++i)
            menu.m_rootPopUp.m_arrChildren.push_back(std::make_unique<CMenuSite>());
        for (int i = 0; i < 2; ++i)
            menu.m_rootPopUp.m_arrChildren.push_back(std::make_unique<CMenuDivider>());
        const Bytes written = WriteMenuArchive(menu);
        const Bytes tail = Join({Hex(tag), Hex("00")});
        EXPECT_EQ(tail, Bytes(written.end() - tail.size(), written.end())) << sites;
    }
}

// Reading a string leaves the reader at the bytes after it.
void ExpectReads(const Bytes& bytes, const std::string& text) {
    const Bytes followed = Join({bytes, Hex("AB CD")});
    ArchiveReader reader(followed.data(), followed.size());
    EXPECT_EQ(text, reader.ReadString()) << text.size();
    EXPECT_EQ(0xCDAB, reader.ReadU16()) << text.size();
    EXPECT_EQ(ArchiveError::none, reader.Error());
}

TEST_F(MenuArchiveTest, EveryLengthFormWritesAndReadsBack) {
    // 0xFFFE would read as the UTF-16 marker, so it takes the long form.
    for (const auto& [length, prefix] :
         {std::pair{254, "FE"}, std::pair{255, "FF FF 00"}, std::pair{65533, "FF FD FF"},
          std::pair{65534, "FF FF FF FE FF 00 00"}, std::pair{70000, "FF FF FF 70 11 01 00"}}) {
        const std::string text(length, '\xFF');
        ArchiveWriter writer;
        writer.WriteString(text);
        const Bytes written = writer.TakeBytes();
        EXPECT_EQ(Join({Hex(prefix), Bytes(text.begin(), text.end())}), written) << length;
        ExpectReads(written, text);
    }
    // Only the reader knows the UTF-16 form.
    ExpectReads(Hex("FF FE FF 02 3A 26 E9 00"), "?\xE9");
    // A length that is the last byte reads; after a failure nothing more does.
    ArchiveReader reader(kExampleBytes.data() + 3, 1);
    EXPECT_EQ("", reader.ReadString());
    EXPECT_EQ(ArchiveError::none, reader.Error());
    EXPECT_EQ(0, (reader.ReadU16(), reader.ReadU16()));
}

// A site body: caption, address, identifier.
const Bytes kSiteBody = Join({ShortString("x"), ShortString("a.htm"), Hex("E9 03 00 00")});

const Bytes kEmptyTail = Hex("01 00 00 00 00 00 00 00");
const Bytes kSite = Join({NewClass("CMenuSite"), kSiteBody});
const Bytes kMenuStart = Join({NewClass("CMenuData"), Hex("01 00 25 00")});

// Values no tree holds are refused with their fault; only a menu stored in
// another format is no fault, and reads as an empty one.
TEST_F(MenuArchiveTest, RefusesWhatNoTreeHoldsAndReadsOtherFormatsAsEmpty) {
    using E = ArchiveError;
    const std::tuple<const char*, Bytes, ArchiveError> table[] = {
        {"OtherFormat", Join({NewClass("CMenuData"), Hex("02 00"), kExampleBytes}), E::none},
        {"Null", Hex("00 00 01 02 03"), E::noObject},
        {"LargeNull", Hex("FF 7F 00 00 00 00"), E::noObject},
        {"ClassIndexZero", Hex("00 80"), E::badIndex},
        {"EntryInsteadOfMenu", kSite, E::badClass},
        {"UnknownName", Join({NewClass("CMenuThing"), kEmptyTail}), E::badClass},
        // A name's length alone can refuse it, before its bytes are read.
        {"NameLongerThan63", Hex("FF FF 01 00 40 00"), E::badClass},
        {"NameOf63Missing", Hex("FF FF 01 00 3F 00"), E::endOfFile},
        {"SchemaTwo", Join({NewClass("CMenuData", 2), kEmptyTail}), E::badSchema},
        // In the trees the class CMenuData has index 1 and the menu index 2;
        // the first entry's class, when described, gets 3 and the entry 4.
        {"NullChild", Join({MenuHead(1), Hex("00 00")}), E::badIndex},
        {"IndexPastTheLast", Join({MenuHead(1), Hex("03 80"), kSiteBody}), E::badIndex},
        {"MenuAsChild", Join({MenuHead(1), Hex("01 80"), kEmptyTail}), E::badClass},
        // Sizes the data cannot hold are refused at once: reserving them would
        // take far more memory than any stored menu.
        {"SubMenuChildCount",
         Join({MenuHead(1), NewClass("CMenuPopUp"), ShortString("P"),
               Hex("FF FF FF 7F 00 00 00 00")}),
         E::endOfFile},
        {"HugeUtf16String", Join({kMenuStart, Hex("FF FE FF FF FF FF FF FF FF 7F 41 00 42 00")}),
         E::endOfFile}};
    for (const auto& [name, bytes, error] : table) {
        const ArchiveReadResult result = ReadMenuArchive(bytes.data(), bytes.size());
        EXPECT_EQ(error, result.error) << name;
        EXPECT_EQ(error == E::none ? "" : "no menu",
                  result.menu ? DescribeTreeDifference(CMenuData(), *result.menu) : "no menu")
            << name;
    }
}

// A stored value with every kind of entry, string forms and a large class
// tag in it, so that cuts fall inside each kind of field. Indexes: 1 CMenuData,
// 2 the menu, 3 CMenuSite, 4 the site, 5 CMenuPopUp, 6 the sub-menu,
// 7 CMenuDivider, 8 the divider, 9 CMenuItem, 10 the item.
TEST_F(MenuArchiveTest, EveryCutOfAWholeValueGivesEndOfFile) {
    const Bytes value =
        Join({MenuHead(4), kSite, NewClass("CMenuPopUp"), Hex("FF 2C 01"), Bytes(300, 'p'),
              Hex("02 00 00 00"), NewClass("CMenuDivider"), Hex("00"), NewClass("CMenuItem"),
              Hex("FF FE FF 02 41 00 42 00"), Hex("FF 7F 03 00 00 80"),
              Hex("FF FF FF 03 00 00 00 61 62 63"), ShortString("b.htm"), Hex("07 00 00 00 05 80"),
              ShortString("P2"), Hex("00 00 00 00")});
    const ArchiveReadResult whole = ReadMenuArchive(value.data(), value.size());
    ASSERT_EQ(ArchiveError::none, whole.error);
    EXPECT_EQ(4u, whole.menu->m_rootPopUp.m_arrChildren.size());
    for (std::size_t length = 0; length < value.size(); ++length) {
        // A copy of exactly the kept bytes, so the sanitizer build sees any
        // read past them.
        const Bytes kept(value.begin(), value.begin() + length);
        const ArchiveReadResult result = ReadMenuArchive(kept.data(), kept.size());
        EXPECT_EQ(ArchiveError::endOfFile, result.error) << "cut at " << length;
        EXPECT_EQ(nullptr, result.menu) << "cut at " << length;
    }
}

} // namespace
