#include "menu/MenuData.h"
#include "tests/fake/FakePlatform.h"

#include <gtest/gtest.h>

TEST(Smoke, Builds) {
    FakePlatform fake;
    CMenuData menu;
    const std::string text = "1\n2.1.2.5\n37\nBEGIN Sites\nNews\tnews.htm\nEND\n";
    EXPECT_EQ(0, menu.ParseText(0, text.data(), text.size()));
}
