#include "menu/CommandCounter.h"
#include "menu/MenuData.h"
#include "menu/MenuSite.h"
#include "tests/fake/FakePlatform.h"
#include "tests/unit/MenuTextInput.h"
#include "tests/unit/MenuTreePicture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace {

// What every built menu ends with, after the entries.
constexpr const char* kFixedCommands = "---\n"
                                       "Pre&ferences... 2001\n"
                                       "&Update Now 2002\n"
                                       "&About 2003\n"
                                       "E&xit 2004\n";

// Sites at three levels, with entries before and after each sub-menu.
constexpr const char* kNestedBody = "A\ta\n"
                                    "BEGIN X\n"
                                    "B\tb\n"
                                    "BEGIN Y\n"
                                    "C\tc\n"
                                    "END\n"
                                    "D\td\n"
                                    "END\n"
                                    "E\te\n"
                                    "END\n";

// The tree of kNestedBody as long as no build has numbered it.
constexpr const char* kNestedTreeUnnumbered = "root [Sites]\n"
                                              "  site [A] [a] 0\n"
                                              "  popup [X]\n"
                                              "    site [B] [b] 0\n"
                                              "    popup [Y]\n"
                                              "      site [C] [c] 0\n"
                                              "    site [D] [d] 0\n"
                                              "  site [E] [e] 0\n";

class MenuBuildTest : public testing::Test {
protected:
    void Load(std::string_view body) {
        ASSERT_EQ(0, ParseExactly(menu, 0, WithHeader("BEGIN Sites\n" + std::string(body))));
    }
    // The menu the user sees: the only item of the outer menu.
    MenuHandle Visible() { return fake.menus.GetSubMenu(menu.m_hMenu, 0); }
    std::string DrawVisible() { return fake.menus.Describe(Visible()); }
    std::string Lookup(int id) {
        std::string url = "none";
        menu.FindCommand(id, url);
        return url;
    }

    FakePlatform fake;
    CMenuData menu;
};

TEST_F(MenuBuildTest, ExampleMenu) {
    ASSERT_EQ(0, ParseExactly(menu, 0, kExampleMenuText));
    ASSERT_TRUE(menu.BuildMenu());

    const auto& outer = fake.menus.ItemsOf(menu.m_hMenu);
    ASSERT_EQ(1u, outer.size());
    EXPECT_EQ(FakeMenus::Item::SubMenu, outer[0].kind);
    EXPECT_EQ("Sites", outer[0].text);
    EXPECT_EQ(std::string("News 1001\n"
                          "---\n"
                          "&Reference >\n"
                          "  Episodes 1002\n") +
                  kFixedCommands,
              DrawVisible());
    EXPECT_EQ("news.htm", Lookup(1001));
    EXPECT_EQ("episodes.htm", Lookup(1002));
    EXPECT_EQ("none", Lookup(1003));
}

// The visible menu each tree gives, before the fixed commands.
struct ShapeCase {
    const char* name;
    const char* body;
    const char* entries;
};

class MenuShapeTest : public MenuBuildTest, public testing::WithParamInterface<ShapeCase> {};

TEST_P(MenuShapeTest, ShowsEntriesThenFixedCommands) {
    Load(GetParam().body);
    ASSERT_TRUE(menu.BuildMenu());
    EXPECT_EQ(std::string(GetParam().entries) + kFixedCommands, DrawVisible());
}

INSTANTIATE_TEST_SUITE_P(
    MenuBuild, MenuShapeTest,
    testing::Values(ShapeCase{"OneSite", "News\tnews.htm\nEND\n", "News 1001\n"},
                    ShapeCase{"OnlyAnEmptySubMenu", "BEGIN Empty\nEND\nEND\n", "Empty >\n"},
                    ShapeCase{"LastEntryADivider", "A\ta\n-\nEND\n", "A 1001\n---\n"},
                    ShapeCase{"OnlyADivider", "-\nEND\n", "---\n"},
                    ShapeCase{"NestedSitesInReadingOrder", kNestedBody,
                              "A 1001\nX >\n  B 1002\n  Y >\n    C 1003\n  D 1004\nE 1005\n"},
                    ShapeCase{"DividersAndSubMenusTakeNoIdentifier",
                              "-\nBEGIN E\nEND\nBEGIN F\n-\nEND\nA\ta\n",
                              "---\nE >\nF >\n  ---\nA 1001\n"},
                    ShapeCase{"CaptionsAsWritten", "&Big News \tx\nBEGIN  Sub &2\nEND\n",
                              "&Big News  1001\n Sub &2 >\n"}),
    [](const testing::TestParamInfo<ShapeCase>& info) { return info.param.name; });

TEST_F(MenuBuildTest, SitesKeepTheIdentifierTheyWereShownWith) {
    Load(kNestedBody);
    ASSERT_TRUE(menu.BuildMenu());
    EXPECT_EQ("root [Sites]\n"
              "  site [A] [a] 1001\n"
              "  popup [X]\n"
              "    site [B] [b] 1002\n"
              "    popup [Y]\n"
              "      site [C] [c] 1003\n"
              "    site [D] [d] 1004\n"
              "  site [E] [e] 1005\n",
              DrawMenuTree(menu.m_rootPopUp));
}

TEST_F(MenuBuildTest, SubMenuIsAttachedOnlyWhenItsItemsAreIn) {
    Load(kNestedBody);
    ASSERT_TRUE(menu.BuildMenu());
    // Once a sub-menu is appended somewhere, nothing more is appended to it;
    // only the visible menu gets the fixed commands after it is in place.
    const std::string visible = std::to_string(reinterpret_cast<std::uintptr_t>(Visible()));
    const std::vector<std::string>& calls = fake.log.Lines();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].rfind("AppendSubMenu ", 0) != 0)
            continue;
        const std::size_t from = calls[i].find(' ', 14) + 1;
        const std::string sub = calls[i].substr(from, calls[i].find(' ', from) - from);
        if (sub == visible)
            continue;
        for (std::size_t later = i + 1; later < calls.size(); ++later) {
            EXPECT_NE(0u, calls[later].rfind("AppendCommand " + sub + " ", 0)) << calls[later];
            EXPECT_NE(0u, calls[later].rfind("AppendSubMenu " + sub + " ", 0)) << calls[later];
            EXPECT_NE(calls[later], "AppendSeparator " + sub);
        }
    }
    EXPECT_EQ(3u, fake.log.Count("AppendSubMenu"));
}

TEST_F(MenuBuildTest, BareEntriesAndNullEntriesShowNothing) {
    menu.m_rootPopUp.m_arrChildren.push_back(std::make_unique<CMenuItem>());
    menu.m_rootPopUp.m_arrChildren.push_back(nullptr);
    auto site = std::make_unique<CMenuSite>("Site\tsite.htm");
    menu.m_rootPopUp.m_arrChildren.push_back(std::move(site));
    ASSERT_TRUE(menu.BuildMenu());
    EXPECT_EQ(std::string("Site 1001\n") + kFixedCommands, DrawVisible());
}

TEST_F(MenuBuildTest, RebuildGivesTheSameIdentifiersAndDropsTheOldMenu) {
    Load(kNestedBody);
    ASSERT_TRUE(menu.BuildMenu());
    const MenuHandle first = menu.m_hMenu;
    const std::string picture = DrawVisible();
    const std::string tree = DrawMenuTree(menu.m_rootPopUp);
    const std::size_t menusOfOneBuild = fake.menus.LiveMenuCount();
    // Identifiers come from the build, not from what the sites held.
    static_cast<CMenuSite&>(*menu.m_rootPopUp.m_arrChildren[0]).m_nCommandId = 7;

    ASSERT_TRUE(menu.BuildMenu());

    EXPECT_NE(first, menu.m_hMenu);
    EXPECT_EQ(picture, DrawVisible());
    EXPECT_EQ(tree, DrawMenuTree(menu.m_rootPopUp));
    EXPECT_EQ(menusOfOneBuild, fake.menus.LiveMenuCount());
    EXPECT_EQ(0, fake.menus.DeadHandleUses());
}

TEST_F(MenuBuildTest, HandleIsBuiltOnFirstDemandAndKept) {
    Load(kNestedBody);
    const MenuHandle handle = menu.GetMenuHandle();
    ASSERT_NE(nullptr, handle);
    const std::size_t creates = fake.log.Count("CreatePopupMenu");
    EXPECT_EQ(handle, menu.GetMenuHandle());
    EXPECT_EQ(handle, menu.GetMenuHandle());
    EXPECT_EQ(creates, fake.log.Count("CreatePopupMenu"));
}

TEST_F(MenuBuildTest, EmptyTreeGivesNoMenuEveryTime) {
    for (int ask = 0; ask < 3; ++ask)
        EXPECT_EQ(nullptr, menu.GetMenuHandle());
    EXPECT_FALSE(menu.BuildMenu());
    EXPECT_EQ(0u, fake.log.Count("CreatePopupMenu"));
    EXPECT_EQ(0u, fake.menus.LiveMenuCount());
}

TEST_F(MenuBuildTest, EmptyRootFromTextGivesNoMenu) {
    ASSERT_EQ(0, ParseExactly(menu, 0, WithHeader("BEGIN Sites\nEND\nEND\n")));
    EXPECT_EQ(nullptr, menu.GetMenuHandle());
    EXPECT_EQ(nullptr, menu.GetMenuHandle());
    EXPECT_EQ(0u, fake.log.Count("CreatePopupMenu"));
}

// A CreatePopupMenu or AppendSubMenu that fails. In the nested tree the
// creates are: 1 the outer menu, 2 the root's own, 3 sub-menu X, 4 sub-menu Y
// inside X; the attaches: 1 Y to X, 2 X to the root's own, 3 that to the
// outer menu.
struct FailingCreateCase {
    const char* name;
    int failing;
    int failingAttach;
    bool built;
    const char* entries; // the visible menu before the fixed commands
    const char* tree;
};

class FailingCreateTest : public MenuBuildTest,
                          public testing::WithParamInterface<FailingCreateCase> {};

TEST_P(FailingCreateTest, DropsWhatCouldNotBeMade) {
    const FailingCreateCase& c = GetParam();
    Load(kNestedBody);
    // As a stored tree read back has them: the identifiers of an earlier
    // build, which must not stay with the sites this build drops.
    NumberSites(menu.m_rootPopUp);
    fake.menus.failingCreates = {c.failing};
    fake.menus.failingAttaches = {c.failingAttach};

    EXPECT_EQ(c.built, menu.BuildMenu());

    if (c.built)
        EXPECT_EQ(std::string(c.entries) + kFixedCommands, DrawVisible());
    else
        EXPECT_EQ(nullptr, menu.m_hMenu);
    EXPECT_EQ(c.tree, DrawMenuTree(menu.m_rootPopUp));
    menu.Clear();
    EXPECT_EQ(0u, fake.menus.LiveMenuCount());
    EXPECT_EQ(0, fake.menus.DeadHandleUses());
}

INSTANTIATE_TEST_SUITE_P(
    MenuBuild, FailingCreateTest,
    testing::Values(
        FailingCreateCase{"OuterMenu", 1, 0, false, "", kNestedTreeUnnumbered},
        FailingCreateCase{"RootMenu", 2, 0, false, "", kNestedTreeUnnumbered},
        FailingCreateCase{"SubMenuWithNestedOne", 3, 0, true, "A 1001\nE 1002\n",
                          "root [Sites]\n  site [A] [a] 1001\n  popup [X]\n    site [B] [b] 0\n"
                          "    popup [Y]\n      site [C] [c] 0\n    site [D] [d] 0\n"
                          "  site [E] [e] 1002\n"},
        FailingCreateCase{"InnermostSubMenu", 4, 0, true,
                          "A 1001\nX >\n  B 1002\n  D 1003\nE 1004\n",
                          "root [Sites]\n  site [A] [a] 1001\n  popup [X]\n    site [B] [b] 1002\n"
                          "    popup [Y]\n      site [C] [c] 0\n    site [D] [d] 1003\n"
                          "  site [E] [e] 1004\n"},
        // An unattached sub-menu is destroyed (the test's last checks find no
        // menu left) and its sites, numbered already, found no more.
        FailingCreateCase{"InnermostAttach", 0, 1, true,
                          "A 1001\nX >\n  B 1002\n  D 1004\nE 1005\n",
                          "root [Sites]\n  site [A] [a] 1001\n  popup [X]\n    site [B] [b] 1002\n"
                          "    popup [Y]\n      site [C] [c] 0\n    site [D] [d] 1004\n"
                          "  site [E] [e] 1005\n"},
        FailingCreateCase{"RootAttach", 0, 3, false, "", kNestedTreeUnnumbered}),
    [](const testing::TestParamInfo<FailingCreateCase>& info) { return info.param.name; });

TEST_F(MenuBuildTest, DroppedSubMenuIdentifiersFindNothing) {
    ASSERT_EQ(0, ParseExactly(menu, 0, kExampleMenuText));
    fake.menus.failingCreates = {3};
    ASSERT_TRUE(menu.BuildMenu());
    EXPECT_EQ(std::string("News 1001\n---\n") + kFixedCommands, DrawVisible());
    EXPECT_EQ("news.htm", Lookup(1001));
    EXPECT_EQ("none", Lookup(1002));
    // What a divider's item gives: none of the sites left unnumbered.
    EXPECT_EQ("none", Lookup(0));
}

TEST_F(MenuBuildTest, FailedBuildIsTriedAgainOnTheNextDemand) {
    Load(kNestedBody);
    fake.menus.failingCreates = {1};
    EXPECT_EQ(nullptr, menu.GetMenuHandle());
    EXPECT_NE(nullptr, menu.GetMenuHandle());
    EXPECT_EQ(std::string("A 1001\nX >\n  B 1002\n  Y >\n    C 1003\n  D 1004\nE 1005\n") +
                  kFixedCommands,
              DrawVisible());
}

// A flat menu of count sites "S<n>" with address "s<n>.htm", n from 1.
std::string FlatMenuText(int count) {
    std::string text = WithHeader("BEGIN Sites\n");
    for (int n = 1; n <= count; ++n)
        text += "S" + std::to_string(n) + "\ts" + std::to_string(n) + ".htm\n";
    return text + "END\n";
}

TEST_F(MenuBuildTest, NumberingPassesOverTheFixedCommands) {
    const int sites = 1010;
    ASSERT_EQ(0, ParseExactly(menu, 0, FlatMenuText(sites)));
    ASSERT_TRUE(menu.BuildMenu());

    const auto& items = fake.menus.ItemsOf(Visible());
    ASSERT_EQ(static_cast<std::size_t>(sites) + 5, items.size());
    EXPECT_EQ(1001, items[0].id);
    EXPECT_EQ(2000, items[999].id);
    EXPECT_EQ(2005, items[1000].id);
    EXPECT_EQ(2014, items[1009].id);
    std::set<int> ids;
    for (int n = 0; n < sites; ++n)
        ids.insert(items[static_cast<std::size_t>(n)].id);
    EXPECT_EQ(static_cast<std::size_t>(sites), ids.size());
    for (int fixed = 2001; fixed <= 2004; ++fixed) {
        EXPECT_EQ(0u, ids.count(fixed)) << fixed;
        EXPECT_EQ("none", Lookup(fixed)) << fixed;
    }
    EXPECT_EQ("s1000.htm", Lookup(2000));
    EXPECT_EQ("s1001.htm", Lookup(2005));
    EXPECT_EQ("s1010.htm", Lookup(2014));
}

// Numbering without a build gives what a build gives.
class NumberSitesTest : public testing::TestWithParam<std::string> {};

TEST_P(NumberSitesTest, MatchesTheBuild) {
    FakePlatform fake;
    CMenuData numbered;
    CMenuData built;
    ASSERT_EQ(0, ParseExactly(numbered, 0, GetParam()));
    ASSERT_EQ(0, ParseExactly(built, 0, GetParam()));
    NumberSites(numbered.m_rootPopUp);
    ASSERT_TRUE(built.BuildMenu());
    EXPECT_EQ(DrawMenuTree(built.m_rootPopUp), DrawMenuTree(numbered.m_rootPopUp));
    EXPECT_NE(std::string::npos, DrawMenuTree(numbered.m_rootPopUp).find("] 1001\n"));
}

INSTANTIATE_TEST_SUITE_P(MenuBuild, NumberSitesTest,
                         testing::Values(std::string(kExampleMenuText),
                                         WithHeader(std::string("BEGIN Sites\n") + kNestedBody),
                                         FlatMenuText(1010)));

} // namespace
