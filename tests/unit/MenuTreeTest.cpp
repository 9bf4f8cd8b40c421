#include "menu/MenuData.h"
#include "menu/MenuDivider.h"
#include "menu/MenuSite.h"
#include "tests/fake/FakePlatform.h"
#include "tests/unit/MenuTextInput.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

namespace {

CMenuSite& AddSite(CMenuPopUp& parent, const std::string& caption, const std::string& url, int id) {
    auto site = std::make_unique<CMenuSite>();
    site->m_strCaption = caption;
    site->m_strUrl = url;
    site->m_nCommandId = id;
    parent.m_arrChildren.push_back(std::move(site));
    return static_cast<CMenuSite&>(*parent.m_arrChildren.back());
}

CMenuPopUp& AddPopUp(CMenuPopUp& parent, const std::string& caption) {
    auto popUp = std::make_unique<CMenuPopUp>();
    popUp->m_strCaption = caption;
    parent.m_arrChildren.push_back(std::move(popUp));
    return static_cast<CMenuPopUp&>(*parent.m_arrChildren.back());
}

// Looking a command up in a built menu.
struct LookupCase {
    const char* name;
    int id;
    bool found;
    const char* url;
};

class CommandLookupTest : public testing::TestWithParam<LookupCase> {
protected:
    FakePlatform fake;
    CMenuData menu;
};

TEST_P(CommandLookupTest, FindsOnlyTheSiteWithThatIdentifier) {
    const LookupCase& c = GetParam();
    const std::string text = WithHeader("BEGIN Sites\n"
                                        "BEGIN One\nA\ta.htm\nEND\n"
                                        "-\n"
                                        "BEGIN Two\nBEGIN Deeper\nB\tb.htm\nEND\nEND\n"
                                        "END\n");
    ASSERT_EQ(0, ParseExactly(menu, 0, text));
    ASSERT_TRUE(menu.BuildMenu());
    std::string url = "unchanged";
    EXPECT_EQ(c.found, menu.FindCommand(c.id, url));
    EXPECT_EQ(c.url, url);
}

INSTANTIATE_TEST_SUITE_P(MenuTree, CommandLookupTest,
                         testing::Values(LookupCase{"FirstSite", 1001, true, "a.htm"},
                                         LookupCase{"SecondSite", 1002, true, "b.htm"},
                                         LookupCase{"BelowFirst", 1000, false, "unchanged"},
                                         LookupCase{"AboveLast", 1003, false, "unchanged"},
                                         LookupCase{"Zero", 0, false, "unchanged"},
                                         LookupCase{"Negative", -1, false, "unchanged"}),
                         [](const testing::TestParamInfo<LookupCase>& info) {
                             return info.param.name;
                         });

TEST(MenuTreeLookup, EmptyMenuFindsNothingAndLeavesTheAddress) {
    FakePlatform fake;
    CMenuData menu;
    for (int id : {0, 1001, 2001}) {
        std::string url = "keep me";
        EXPECT_FALSE(menu.FindCommand(id, url));
        EXPECT_EQ("keep me", url);
    }
}

// Before a build numbers them, sites have no identifier to be found by; 0 is
// also what a divider's item gives.
TEST(MenuTreeLookup, UnbuiltTreeFindsNothingEvenForZero) {
    FakePlatform fake;
    CMenuData menu;
    const std::string text = WithHeader("BEGIN Sites\n"
                                        "-\n"
                                        "BEGIN Empty\nEND\n"
                                        "BEGIN Sub\nBEGIN Inner\nFirst\tfirst.htm\nEND\nEND\n"
                                        "Second\tsecond.htm\n"
                                        "END\n");
    ASSERT_EQ(0, ParseExactly(menu, 0, text));
    std::string url = "keep";
    EXPECT_FALSE(menu.FindCommand(0, url));
    EXPECT_FALSE(menu.FindCommand(1001, url));
    EXPECT_EQ("keep", url);
}

TEST(MenuTreeLookup, SearchesDepthFirstAndStopsAtTheFirstMatch) {
    CMenuPopUp root;
    CMenuPopUp& outer = AddPopUp(root, "Outer");
    AddSite(outer, "Other", "other.htm", 6);
    CMenuPopUp& inner = AddPopUp(outer, "Inner");
    AddSite(inner, "Inner", "inner.htm", 5);
    AddSite(outer, "After inner", "after-inner.htm", 5);
    AddSite(root, "Later", "later.htm", 5);

    std::string url;
    EXPECT_TRUE(root.FindCommand(5, url));
    EXPECT_EQ("inner.htm", url);
    EXPECT_TRUE(root.FindCommand(6, url));
    EXPECT_EQ("other.htm", url);
}

TEST(MenuTreeLookup, EntriesOtherThanSitesNeverMatch) {
    CMenuPopUp root;
    root.m_arrChildren.push_back(nullptr);
    root.m_arrChildren.push_back(std::make_unique<CMenuItem>());
    root.m_arrChildren.push_back(std::make_unique<CMenuDivider>());
    AddPopUp(root, "Empty");
    std::string url = "keep";
    EXPECT_FALSE(root.FindCommand(0, url));
    EXPECT_EQ("keep", url);

    AddSite(root, "Unnumbered", "unnumbered.htm", 0);
    AddSite(root, "Site", "site.htm", 1001);
    EXPECT_FALSE(root.FindCommand(0, url));
    EXPECT_EQ("keep", url);
    EXPECT_TRUE(root.FindCommand(1001, url));
    EXPECT_EQ("site.htm", url);
}

TEST(MenuTreeClear, KeepsTheRootCaptionAndDropsTheRest) {
    FakePlatform fake;
    CMenuData menu;
    ASSERT_EQ(0, ParseExactly(menu, 0, kExampleMenuText));
    ASSERT_NE(nullptr, menu.GetMenuHandle());

    menu.Clear();

    EXPECT_EQ("Sites", menu.m_rootPopUp.m_strCaption);
    EXPECT_EQ(0, menu.m_wMenuNumber);
    EXPECT_TRUE(menu.m_rootPopUp.m_arrChildren.empty());
    EXPECT_EQ(nullptr, menu.m_hMenu);
    EXPECT_EQ(0u, fake.menus.LiveMenuCount());
    EXPECT_EQ(nullptr, menu.GetMenuHandle());
    menu.Clear();
    EXPECT_EQ(1u, fake.log.Count("DestroyMenu"));
    EXPECT_EQ(0, fake.menus.DeadHandleUses());
}

TEST(MenuTreeClear, RemoveAllSkipsNullEntriesAndReleasesStorage) {
    CMenuPopUp root;
    root.m_arrChildren.push_back(nullptr);
    AddSite(AddPopUp(root, "Sub"), "A", "a", 0);
    root.m_arrChildren.push_back(nullptr);
    root.RemoveAll();
    EXPECT_TRUE(root.m_arrChildren.empty());
    EXPECT_EQ(0u, root.m_arrChildren.capacity());
}

// How often each entry, known by its tag, has been destroyed.
using ReleaseCounts = std::map<int, int>;

template <class Entry> class Counted : public Entry {
public:
    Counted(ReleaseCounts& counts, int tag) : m_counts(counts), m_tag(tag) {}
    ~Counted() override { ++m_counts[m_tag]; }

private:
    ReleaseCounts& m_counts;
    int m_tag;
};

TEST(MenuTreeDestruction, ReleasesEveryEntryOfAThreeDeepTreeOnceAndItsMenu) {
    FakePlatform fake;
    ReleaseCounts released;
    int tags = 0;
    auto menu = std::make_unique<CMenuData>();
    menu->m_rootPopUp.m_strCaption = "Sites";

    // Each sub-menu holds a site, a divider, a bare entry and the next level.
    CMenuPopUp* level = &menu->m_rootPopUp;
    for (int depth = 0; depth <= 3; ++depth) {
        auto site = std::make_unique<Counted<CMenuSite>>(released, tags++);
        site->m_strCaption = "Site " + std::to_string(depth);
        level->m_arrChildren.push_back(std::move(site));
        level->m_arrChildren.push_back(std::make_unique<Counted<CMenuDivider>>(released, tags++));
        level->m_arrChildren.push_back(std::make_unique<Counted<CMenuItem>>(released, tags++));
        if (depth == 3)
            break;
        auto popUp = std::make_unique<Counted<CMenuPopUp>>(released, tags++);
        popUp->m_strCaption = "Level " + std::to_string(depth + 1);
        CMenuPopUp* next = popUp.get();
        level->m_arrChildren.push_back(std::move(popUp));
        level = next;
    }
    ASSERT_NE(nullptr, menu->GetMenuHandle());
    // The outer menu, the root's and one per sub-menu.
    ASSERT_EQ(5u, fake.menus.LiveMenuCount());
    EXPECT_TRUE(released.empty());

    menu.reset();

    ASSERT_EQ(static_cast<std::size_t>(tags), released.size());
    for (const auto& [tag, count] : released)
        EXPECT_EQ(1, count) << "entry " << tag;
    EXPECT_EQ(0u, fake.menus.LiveMenuCount());
    EXPECT_EQ(1u, fake.log.Count("DestroyMenu"));
    EXPECT_EQ(0, fake.menus.DeadHandleUses());
}

// The kind queries answer true only for their own class.
struct KindCase {
    const char* name;
    std::unique_ptr<CMenuItem> (*make)();
    bool divider;
    bool site;
    bool popUp;
};

class EntryKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(EntryKindTest, AnswersForItsOwnClassOnly) {
    const KindCase& c = GetParam();
    const std::unique_ptr<CMenuItem> entry = c.make();
    EXPECT_EQ(c.divider, entry->IsDivider());
    EXPECT_EQ(c.site, entry->IsSite());
    EXPECT_EQ(c.popUp, entry->IsPopUp());
}

template <class Entry> std::unique_ptr<CMenuItem> Make() {
    return std::make_unique<Entry>();
}

INSTANTIATE_TEST_SUITE_P(
    MenuTree, EntryKindTest,
    testing::Values(KindCase{"Item", &Make<CMenuItem>, false, false, false},
                    KindCase{"Divider", &Make<CMenuDivider>, true, false, false},
                    KindCase{"Site", &Make<CMenuSite>, false, true, false},
                    KindCase{"PopUp", &Make<CMenuPopUp>, false, false, true}),
    [](const testing::TestParamInfo<KindCase>& info) { return info.param.name; });

} // namespace
