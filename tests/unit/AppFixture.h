#pragma once

#include "app/CurrentMenu.h"
#include "app/SiteMenuApp.h"
#include "app/TrayIcon.h"
#include "menu/CommandCounter.h"
#include "menu/MenuArchive.h"
#include "menu/MenuData.h"
#include "res/resource.h"
#include "settings/Settings.h"
#include "tests/fake/FakePlatform.h"

#include <gtest/gtest.h>

#include <string>

// A menu text with the given number and a root holding the body lines.
inline std::string MenuText(int number, const std::string& body) {
    return "1\n2.1.2.5\n" + std::to_string(number) + "\nBEGIN Sites\n" + body + "END\n";
}
// A new tree from a menu text, built.
inline CMenuData* Parsed(const std::string& text) {
    auto* menu = new CMenuData;
    EXPECT_EQ(0, menu->ParseText(0, text.data(), text.size()));
    return menu;
}
using Shown = std::vector<std::pair<unsigned, unsigned>>; // message boxes: string, icon

// The program's objects on a fresh fake platform, as at process start: the
// settings at their defaults for a program started at kStart, no tree yet.
class AppTest : public testing::Test {
protected:
    static constexpr TimeValue kStart = 1033387200; // 2002-09-30 12:00:00 UTC
    static constexpr unsigned kStop = MessageService::kIconStop;

    AppTest() {
        theApp = CSiteMenuApp();
        g_trayIcon = CTrayIcon(10);
        g_settings.RestoreDefaults(kStart);
    }
    ~AppTest() override { delete std::exchange(g_pMenuData, nullptr); }

    // The stored menu of an earlier run, numbered as an installed one is.
    void StoreMenu(int number, const std::string& body) {
        const std::unique_ptr<CMenuData> menu(Parsed(MenuText(number, body)));
        NumberSites(menu->m_rootPopUp);
        fake.registry.Settings()["MenuData"] = {RegistryType::Binary, WriteMenuArchive(*menu)};
    }
    bool Command(int id) { return fake.window.events->OnCommand(id); }
    void Click(unsigned mouseMessage) { fake.window.events->OnTrayNotify(10, mouseMessage); }
    void Tick(unsigned requestedId) { fake.timers.Tick(requestedId); }

    FakePlatform fake;
};
