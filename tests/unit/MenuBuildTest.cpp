#include "menu/CommandCounter.h"
#include "menu/MenuArchive.h"
#include "tests/fake/FakePlatform.h"
#include "tests/fake/MenuTreeEquality.h"
#include "tests/unit/MenuTextInput.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <functional>
#include <tuple>

namespace {

// What every built menu ends with, after the entries.
constexpr const char* kFixedCommands =
    "---\nPre&ferences... 2001\n&Update Now 2002\n&About 2003\nE&xit 2004\n";

// The addresses the identifiers find, "none" for each that finds none.
std::string Lookup(const CMenuData& menu, std::initializer_list<int> ids) {
    std::string found, url;
    for (int id : ids)
        found += menu.FindCommand(id, url) ? url + " " : "none ";
    return found;
}

// The menu is built on demand and kept. A CreatePopupMenu or AppendSubMenu
// that fails drops what could not be made: in the nested tree the creates
// are 1 the outer menu, 2 the root's own, 3 sub-menu X, 4 sub-menu Y inside
// X; the attaches 1 Y to X, 2 X to the root's own, 3 that to the outer menu.
// An unattached sub-menu is destroyed, and its site, numbered already, is
// found no more. Without the outer menu, the root's own or the attaching of
// one to the other there is nothing to show, and nothing made is left. A
// rebuild replaces every menu of the last one.
TEST(MenuBuild, IsBuiltOnDemandWithoutWhatCouldNotBeMade) {
    for (const auto& [create, attach, entries, found] :
         {std::tuple{0, 0, "A 1001\n---\nX >\n  B 1002\n  Y >\n    C 1003\n  D 1004\nE 1005\n",
                     "a b c d e "},
          std::tuple{3, 0, "A 1001\n---\nE 1002\n", "a e none none none "},
          std::tuple{0, 1, "A 1001\n---\nX >\n  B 1002\n  D 1004\nE 1005\n", "a b none d e "},
          std::tuple{1, 0, "", ""}, std::tuple{2, 0, "", ""}, std::tuple{0, 3, "", ""}}) {
        SCOPED_TRACE(testing::Message() << create << " " << attach);
        FakePlatform fake;
        CMenuData menu;
        EXPECT_FALSE(menu.BuildMenu()) << "an empty tree gives no menu";
        EXPECT_EQ("none ", Lookup(menu, {1001})) << "an empty tree finds nothing";
        ASSERT_EQ(0, ParseExactly(menu, 0,
                                  MenuText("37", "A\ta\n-\nBEGIN X\nB\tb\nBEGIN Y\nC\tc\n"
                                                 "END\nD\td\nEND\nE\te\n")));
        EXPECT_EQ("none ", Lookup(menu, {0})) << "no build has numbered the sites yet";
        // As a stored tree read back has them: the identifiers of an earlier
        // build, which must not stay with the sites this build drops.
        NumberSites(menu.m_rootPopUp);
        fake.menus.failingCreate = create, fake.menus.failingAttach = attach;
        if (*entries == '\0') {
            EXPECT_FALSE(menu.BuildMenu());
            EXPECT_EQ(0u, fake.menus.LiveMenuCount());
            continue;
        }
        const MenuHandle built = menu.GetMenuHandle();
        EXPECT_EQ(built, menu.GetMenuHandle());
        EXPECT_EQ(0u, fake.menus.Describe(built).find("Sites >\n")) << "the root's caption";
        // The menu the user sees is the only item of the outer menu.
        EXPECT_EQ(entries + std::string(kFixedCommands),
                  fake.menus.Describe(fake.menus.GetSubMenu(built, 0)));
        EXPECT_EQ("none none " + std::string(found) + "none ",
                  Lookup(menu, {1, 1000, 1001, 1002, 1003, 1004, 1005, 1006}));
        ASSERT_TRUE(menu.BuildMenu());
        EXPECT_EQ(4u, fake.menus.LiveMenuCount());
        menu.Clear();
        EXPECT_EQ(0u, fake.menus.LiveMenuCount());
        EXPECT_EQ(0, fake.menus.DeadHandleUses());
    }
}

TEST(MenuBuild, NumberingPassesOverTheFixedCommands) {
    FakePlatform fake;
    CMenuData menu;
    std::string text = "1\n2.1.2.5\n37\nBEGIN Sites\n";
    for (int n = 1; n <= 1010; ++n)
        text += "S" + std::to_string(n) + "\ts" + std::to_string(n) + ".htm\n";
    ASSERT_EQ(0, ParseExactly(menu, 0, text));
    ASSERT_TRUE(menu.BuildMenu());
    EXPECT_EQ("s1.htm s1000.htm none none none none s1001.htm s1010.htm ",
              Lookup(menu, {1001, 2000, 2001, 2002, 2003, 2004, 2005, 2014}));
}

// Runs work on a thread whose stack is far smaller than the few megabytes a
// walk that recursed once per level of a 64 KiB text would need, so such a
// walk crashes the test instead of passing by luck.
bool RunOnSmallStack(std::function<void()> work) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes), pthread_attr_setstacksize(&attributes, 256 * 1024);
    pthread_t thread;
    auto run = [](void* argument) -> void* {
        return (*static_cast<std::function<void()>*>(argument))(), nullptr;
    };
    return pthread_create(&thread, &attributes, run, &work) == 0 &&
           pthread_join(thread, nullptr) == 0;
}

TEST(MenuNesting, DeepestTextParsesBuildsStoresAndGoes) {
    // The shortest header, then BEGIN lines up to 64 KiB with the site
    // innermost; the end of the lines closes every block.
    std::string text = "1\n2.1.2.5\n1\n\n";
    const std::size_t levels = (65536 - text.size() - 4) / 6;
    for (std::size_t n = 0; n < levels; ++n)
        text += "BEGIN\n";
    text += "S\tu\n";
    ASSERT_LE(text.size(), 65536u);

    FakePlatform fake;
    ASSERT_TRUE(RunOnSmallStack([&] {
        auto menu = std::make_unique<CMenuData>();
        ASSERT_EQ(0, ParseExactly(*menu, 0, text));
        ASSERT_TRUE(menu->BuildMenu());
        // The outer menu, the root's and one per sub-menu.
        EXPECT_EQ(levels + 2, fake.menus.LiveMenuCount());
        EXPECT_EQ("u ", Lookup(*menu, {1001}));
        const std::vector<std::uint8_t> stored = WriteMenuArchive(*menu);
        ArchiveReadResult read = ReadMenuArchive(stored.data(), stored.size());
        ASSERT_NE(nullptr, read.menu);
        EXPECT_EQ("", DescribeTreeDifference(*menu, *read.menu));
        EXPECT_EQ(ArchiveError::endOfFile, ReadMenuArchive(stored.data(), stored.size() / 2).error);
        // A sub-menu dropped on its own empties itself as a tree does.
        read.menu->m_rootPopUp.m_arrChildren.front().reset();
        menu.reset(), read.menu.reset();
    }));
    EXPECT_EQ(0u, fake.menus.LiveMenuCount());
    EXPECT_EQ(0, fake.menus.DeadHandleUses());
}

} // namespace
