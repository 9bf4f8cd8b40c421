#include "menu/CommandCounter.h"
#include "menu/MenuData.h"
#include "menu/MenuSite.h"
#include "tests/fake/FakePlatform.h"
#include "tests/unit/MenuTextInput.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr std::size_t kLargestText = 65536;

// Runs work on a thread whose stack is far smaller than the few megabytes a
// walk that recursed once per level of a 64 KiB text would need, so such a
// walk crashes the test instead of passing by luck.
bool RunOnSmallStack(const std::function<void()>& work) {
    constexpr std::size_t kStackBytes = 256 * 1024;
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0)
        return false;
    pthread_attr_setstacksize(&attributes, kStackBytes);
    pthread_t thread;
    auto run = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    const bool started =
        pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)) == 0;
    pthread_attr_destroy(&attributes);
    return started && pthread_join(thread, nullptr) == 0;
}

struct DeepText {
    const char* name;
    std::string head;     // the header and the root's opening line
    bool closedEachLevel; // every block has its END line
    std::size_t levels;   // sub-menus below the root that fit
    std::size_t messages; // the version line differs: the user is told
};

// The deepest text of at most 64 KiB of this shape: head, then as many
// "BEGIN\n" lines as fit, the site "S\tu\n" at the bottom and, when closed,
// one "END\n" for every block.
struct DeepMenu {
    std::string text;
    std::size_t levels; // sub-menus below the root
};

DeepMenu MakeDeepestText(const DeepText& shape) {
    const std::string open = "BEGIN\n";
    const std::string site = "S\tu\n";
    const std::string close = "END\n";
    const std::size_t rootClose = shape.closedEachLevel ? close.size() : 0;
    const std::size_t perLevel = open.size() + (shape.closedEachLevel ? close.size() : 0);
    const std::size_t levels =
        (kLargestText - shape.head.size() - site.size() - rootClose) / perLevel;

    std::string text = shape.head;
    for (std::size_t n = 0; n < levels; ++n)
        text += open;
    text += site;
    if (shape.closedEachLevel)
        for (std::size_t n = 0; n <= levels; ++n)
            text += close;
    return {text, levels};
}

// What became of the deep tree, gathered on the small stack and judged after.
struct DeepOutcome {
    int result = -1;
    std::size_t treeDepth = 0;
    std::string bottomSite;
    bool foundNumbered = false;
    std::string numberedUrl;
    bool built = false;
    std::size_t liveMenus = 0;
    std::size_t visibleDepth = 0;
    std::string bottomItem;
    bool foundBuilt = false;
    std::string builtUrl;
    std::size_t liveMenusAfterDestroy = 0;
    int deadHandleUses = 0;
};

// Sub-menus below root, each the last child of the one above it, and the
// entry at the bottom.
std::size_t ChainDepth(const CMenuPopUp& root, std::string& bottom) {
    std::size_t depth = 0;
    const CMenuPopUp* level = &root;
    while (!level->m_arrChildren.empty() && level->m_arrChildren.back()->IsPopUp()) {
        level = static_cast<const CMenuPopUp*>(level->m_arrChildren.back().get());
        ++depth;
    }
    if (level->m_arrChildren.size() == 1 && level->m_arrChildren[0]->IsSite()) {
        const auto& site = static_cast<const CMenuSite&>(*level->m_arrChildren[0]);
        bottom = site.m_strCaption + " " + site.m_strUrl;
    }
    return depth;
}

// The same walk down the built menu, from the visible menu.
std::size_t MenuChainDepth(FakeMenus& menus, MenuHandle visible, std::string& bottom) {
    std::size_t depth = 0;
    MenuHandle level = visible;
    for (;;) {
        const auto& items = menus.ItemsOf(level);
        if (items.size() == 1 && items[0].kind == FakeMenus::Item::Command) {
            bottom = items[0].text + " " + std::to_string(items[0].id);
            return depth;
        }
        if (items.empty() || items[0].kind != FakeMenus::Item::SubMenu)
            return depth;
        level = items[0].subMenu;
        ++depth;
    }
}

class DeepestNestingTest : public testing::TestWithParam<DeepText> {};

TEST_P(DeepestNestingTest, ParsesNumbersBuildsFindsAndDestroys) {
    const DeepMenu deep = MakeDeepestText(GetParam());
    ASSERT_LE(deep.text.size(), kLargestText);
    ASSERT_EQ(GetParam().levels, deep.levels);

    FakePlatform fake;
    DeepOutcome out;
    ASSERT_TRUE(RunOnSmallStack([&] {
        auto menu = std::make_unique<CMenuData>();
        out.result = ParseExactly(*menu, 0, deep.text);
        out.treeDepth = ChainDepth(menu->m_rootPopUp, out.bottomSite);
        NumberSites(menu->m_rootPopUp);
        out.foundNumbered = menu->FindCommand(1001, out.numberedUrl);
        out.built = menu->BuildMenu();
        out.liveMenus = fake.menus.LiveMenuCount();
        if (out.built)
            out.visibleDepth =
                MenuChainDepth(fake.menus, fake.menus.GetSubMenu(menu->m_hMenu, 0), out.bottomItem);
        out.foundBuilt = menu->FindCommand(1001, out.builtUrl);
        menu.reset();
        out.liveMenusAfterDestroy = fake.menus.LiveMenuCount();
        out.deadHandleUses = fake.menus.DeadHandleUses();
    }));

    EXPECT_EQ(0, out.result);
    EXPECT_EQ(deep.levels, out.treeDepth);
    EXPECT_EQ("S u", out.bottomSite);
    EXPECT_TRUE(out.foundNumbered);
    EXPECT_EQ("u", out.numberedUrl);
    ASSERT_TRUE(out.built);
    // The outer menu, the root's and one per sub-menu.
    EXPECT_EQ(deep.levels + 2, out.liveMenus);
    EXPECT_EQ(deep.levels, out.visibleDepth);
    EXPECT_EQ("S 1001", out.bottomItem);
    EXPECT_TRUE(out.foundBuilt);
    EXPECT_EQ("u", out.builtUrl);
    EXPECT_EQ(0u, out.liveMenusAfterDestroy);
    EXPECT_EQ(0, out.deadHandleUses);
    EXPECT_EQ(GetParam().messages, fake.messages.shown.size());
}

INSTANTIATE_TEST_SUITE_P(
    MenuNesting, DeepestNestingTest,
    testing::Values(
        // The shortest header there is: an empty version line (the user is
        // told of a new version), menu number 1 and an empty root line; no
        // block is ever closed.
        DeepText{"NeverClosed", "1\n\n1\n\n", false, 10921, 1},
        DeepText{"ClosedEveryLevel", "1\n2.1.2.5\n1\nBEGIN Deep\n", true, 6550, 0}),
    [](const testing::TestParamInfo<DeepText>& info) { return info.param.name; });

} // namespace
