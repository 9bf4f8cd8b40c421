// Whatever tree is written reads back the same: generated trees of every
// shape, the deepest nesting a menu text allows, and menus long enough for
// the large class tags.
#include "menu/ArchiveReader.h"
#include "menu/MenuArchive.h"
#include "menu/MenuDivider.h"
#include "menu/MenuSite.h"
#include "tests/fake/FakePlatform.h"
#include "tests/fake/MenuTreeEquality.h"
#include "tests/unit/MenuArchiveBytes.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::unique_ptr<CMenuData> ReadBack(const Bytes& bytes) {
    ArchiveReadResult result = ReadMenuArchive(bytes.data(), bytes.size());
    EXPECT_EQ(ArchiveError::none, result.error) << ArchiveErrorName(result.error);
    return std::move(result.menu);
}

void ExpectRoundTrip(const CMenuData& menu) {
    const Bytes written = WriteMenuArchive(menu);
    const auto read = ReadBack(written);
    ASSERT_NE(nullptr, read);
    EXPECT_EQ("", DescribeTreeDifference(menu, *read));
    EXPECT_TRUE(WriteMenuArchive(*read) == written) << "written again, the bytes differ";
}

class Generator {
public:
    explicit Generator(std::uint32_t seed) : m_rng(seed) {}

    // Mostly short text, now and then a length at the edge of a prefix form;
    // any byte value.
    std::string Text() {
        static const std::size_t kEdges[] = {254, 255, 256, 300, 65533, 65534, 65535};
        const std::size_t length = Below(10) == 0 ? kEdges[Below(std::size(kEdges))] : Below(12);
        // A random start and stride reach every byte value without a draw
        // per byte, which would make the long texts slow.
        const std::size_t start = Below(256);
        const std::size_t stride = Below(256) | 1;
        std::string text(length, '\0');
        for (std::size_t i = 0; i < length; ++i)
            text[i] = static_cast<char>(start + i * stride);
        return text;
    }

    std::unique_ptr<CMenuData> Menu() {
        auto menu = std::make_unique<CMenuData>();
        menu->m_wMenuNumber = static_cast<std::uint16_t>(Below(0x10000));
        menu->m_rootPopUp.m_strCaption = Text();
        // Each new entry goes into a sub-menu chosen among all made so far,
        // which gives flat, deep and bushy trees alike.
        std::vector<CMenuPopUp*> popUps{&menu->m_rootPopUp};
        const std::size_t count = Below(80);
        for (std::size_t i = 0; i < count; ++i) {
            CMenuPopUp& parent = *popUps[Below(popUps.size())];
            parent.m_arrChildren.push_back(Entry(popUps));
        }
        return menu;
    }

private:
    std::size_t Below(std::size_t bound) { return m_rng() % bound; }

    std::unique_ptr<CMenuItem> Entry(std::vector<CMenuPopUp*>& popUps) {
        switch (Below(4)) {
        case 0: {
            auto item = std::make_unique<CMenuItem>();
            item->m_strCaption = Text();
            return item;
        }
        case 1:
            return std::make_unique<CMenuDivider>();
        case 2: {
            auto site = std::make_unique<CMenuSite>();
            site->m_strCaption = Text();
            site->m_strUrl = Text();
            site->m_nCommandId = static_cast<int>(m_rng());
            return site;
        }
        default: {
            auto popUp = std::make_unique<CMenuPopUp>();
            popUp->m_strCaption = Text();
            popUps.push_back(popUp.get());
            return popUp;
        }
        }
    }

    std::mt19937 m_rng;
};

TEST(MenuArchiveRoundTrip, GeneratedTreesReadBackTheSame) {
    FakePlatform fake;
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Generator generator(seed);
        ExpectRoundTrip(*generator.Menu());
    }
}

TEST(MenuArchiveRoundTrip, ReadingIntoAHeldMenuReplacesItsEntriesAndMenu) {
    FakePlatform fake;
    // Each class occurs once, so the body reads alone, without the numbering
    // the menu's own class description starts.
    CMenuData stored;
    stored.m_wMenuNumber = 12;
    stored.m_rootPopUp.m_strCaption = "New";
    stored.m_rootPopUp.m_arrChildren.push_back(std::make_unique<CMenuSite>("S\ts.htm"));
    auto popUp = std::make_unique<CMenuPopUp>();
    popUp->m_arrChildren.push_back(std::make_unique<CMenuDivider>());
    stored.m_rootPopUp.m_arrChildren.push_back(std::move(popUp));
    const Bytes written = WriteMenuArchive(stored);

    const std::string text = "1\n2.1.2.5\n9\nBEGIN Old\nA\ta\nBEGIN P\nB\tb\nEND\nEND\n";
    CMenuData held;
    ASSERT_EQ(0, held.ParseText(0, text.data(), text.size()));
    ASSERT_TRUE(held.BuildMenu());

    // The body starts after the tag and class description of CMenuData.
    const std::size_t bodyStart = 15;
    ArchiveReader reader(written.data() + bodyStart, written.size() - bodyStart);
    held.Serialize(reader);
    EXPECT_EQ(ArchiveError::none, reader.Error());
    EXPECT_EQ("", DescribeTreeDifference(stored, held));
    EXPECT_EQ(nullptr, held.m_hMenu);
    EXPECT_EQ(0u, fake.menus.LiveMenuCount());
}

TEST(MenuArchiveRoundTrip, NullChildrenAreLeftOut) {
    FakePlatform fake;
    CMenuData withNull;
    withNull.m_rootPopUp.m_arrChildren.push_back(nullptr);
    withNull.m_rootPopUp.m_arrChildren.push_back(std::make_unique<CMenuDivider>());
    withNull.m_rootPopUp.m_arrChildren.push_back(nullptr);
    CMenuData without;
    without.m_rootPopUp.m_arrChildren.push_back(std::make_unique<CMenuDivider>());
    EXPECT_EQ(WriteMenuArchive(without), WriteMenuArchive(withNull));
}

std::size_t DepthOf(const CMenuData& menu) {
    std::size_t depth = 0;
    const CMenuPopUp* popUp = &menu.m_rootPopUp;
    while (!popUp->m_arrChildren.empty() && popUp->m_arrChildren[0]->IsPopUp()) {
        popUp = static_cast<const CMenuPopUp*>(popUp->m_arrChildren[0].get());
        ++depth;
    }
    return depth;
}

TEST(MenuArchiveRoundTrip, DeepestNestingOfAMenuTextReadsBack) {
    FakePlatform fake;
    // Nothing but BEGIN lines up to 64 KiB, the site innermost; the end of
    // the lines closes every block.
    const std::string header = "1\n2.1.2.5\n1\n";
    const std::string site = "Deep\tdeep.htm\n";
    std::string text = header;
    const std::size_t levels = (65536 - header.size() - site.size()) / 6;
    for (std::size_t i = 0; i < levels; ++i)
        text += "BEGIN\n";
    text += site;
    ASSERT_LE(text.size(), 65536u);

    CMenuData menu;
    ASSERT_EQ(0, menu.ParseText(0, text.data(), text.size()));
    ASSERT_TRUE(menu.BuildMenu());
    ASSERT_EQ(levels - 1, DepthOf(menu));
    EXPECT_GT(levels, 10900u);

    const Bytes written = WriteMenuArchive(menu);
    const auto read = ReadBack(written);
    ASSERT_NE(nullptr, read);
    EXPECT_TRUE(SameTree(menu, *read));
    std::string url;
    EXPECT_TRUE(read->FindCommand(1001, url));
    EXPECT_EQ("deep.htm", url);

    // Cut in the middle of the nesting, the reader still stops cleanly.
    const ArchiveReadResult cut = ReadMenuArchive(written.data(), written.size() / 2);
    EXPECT_EQ(ArchiveError::endOfFile, cut.error);
}

struct LargeClassCase {
    std::size_t sitesFirst; // before the first divider
    const char* secondDividerTag;
};

class MenuArchiveLargeClassTag : public ::testing::TestWithParam<LargeClassCase> {
protected:
    FakePlatform fake;
};

// Sites take indexes 3 (their class) and 4 onward, so the divider class
// first met after n > 0 sites gets index n + 4; from 0x7FFF on its tag needs
// the large form.
TEST_P(MenuArchiveLargeClassTag, ClassMetLateIsNamedInTheRightForm) {
    CMenuData menu;
    auto& children = menu.m_rootPopUp.m_arrChildren;
    for (std::size_t i = 0; i < GetParam().sitesFirst; ++i)
        children.push_back(std::make_unique<CMenuSite>());
    children.push_back(std::make_unique<CMenuDivider>());
    children.push_back(std::make_unique<CMenuDivider>());

    const Bytes written = WriteMenuArchive(menu);
    const Bytes tail = Join({Hex(GetParam().secondDividerTag), Hex("00")});
    ASSERT_GT(written.size(), tail.size());
    EXPECT_EQ(tail, Bytes(written.end() - tail.size(), written.end()));
    const auto read = ReadBack(written);
    ASSERT_NE(nullptr, read);
    EXPECT_TRUE(SameTree(menu, *read));
    EXPECT_TRUE(read->m_rootPopUp.m_arrChildren.back()->IsDivider());
}

INSTANTIATE_TEST_SUITE_P(Edges, MenuArchiveLargeClassTag,
                         ::testing::Values(LargeClassCase{1, "05 80"},
                                           LargeClassCase{32762, "FE FF"},
                                           LargeClassCase{32763, "FF 7F FF 7F 00 80"},
                                           LargeClassCase{40000, "FF 7F 44 9C 00 80"}));

} // namespace
