#pragma once

#include "app/CurrentMenu.h"
#include "menu/MenuData.h"
#include "settings/Settings.h"
#include "tests/fake/FakePlatform.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A fresh program state for every test: the fake platform, the settings at
// their built-in defaults for a program started at kProgramStart, and an
// empty current tree, as start-up leaves them before Load.
class SettingsTest : public testing::Test {
protected:
    // 2002-09-30 12:00:00 UTC.
    static constexpr TimeValue kProgramStart = 1033387200;

    SettingsTest() {
        fake.clock.now = kProgramStart;
        g_settings.RestoreDefaults(kProgramStart);
        g_pMenuData = new CMenuData;
    }
    ~SettingsTest() override {
        delete g_pMenuData;
        g_pMenuData = nullptr;
    }

    // A tree of menu number 37 with a site, a divider and a sub-menu.
    static std::unique_ptr<CMenuData> ExampleMenu() {
        constexpr std::string_view text = "1\n2.1.2.5\n37\nBEGIN Sites\nNews\tnews.htm\n-\n"
                                          "BEGIN &Reference\nEpisodes\tepisodes.htm\nEND\nEND\n";
        auto menu = std::make_unique<CMenuData>();
        EXPECT_EQ(0, menu->ParseText(0, text.data(), text.size()));
        return menu;
    }
    static bool IsEmptyTree(const CMenuData& menu) {
        return menu.m_wMenuNumber == 0 && menu.m_rootPopUp.m_arrChildren.empty();
    }

    // The logged calls that start with one of prefixes, in order.
    std::vector<std::string> Calls(std::initializer_list<std::string_view> prefixes) const {
        std::vector<std::string> calls;
        for (const std::string& line : fake.log.Lines())
            for (std::string_view prefix : prefixes)
                if (std::string_view(line).substr(0, prefix.size()) == prefix) {
                    calls.push_back(line);
                    break;
                }
        return calls;
    }

    // Registry access of any kind since the test began.
    std::size_t RegistryCalls() const { return fake.log.Count("Reg"); }

    FakePlatform fake;
};
