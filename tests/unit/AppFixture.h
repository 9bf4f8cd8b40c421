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
#include "tests/unit/MenuTextInput.h"

#include <gtest/gtest.h>

#include <string>

// The program's objects on a fresh fake platform, as at process start: the
// settings at their defaults for a program started at kStart, no tree yet.
class AppTest : public testing::Test {
protected:
    static constexpr TimeValue kStart = 1033387200; // 2002-09-30 12:00:00 UTC
    static constexpr unsigned kStop = MessageService::kIconStop;
    static constexpr unsigned kInformation = MessageService::kIconInformation;

    AppTest() {
        theApp = CSiteMenuApp(), g_trayIcon = CTrayIcon(10);
        g_settings.RestoreDefaults(kStart);
    }
    ~AppTest() override { delete std::exchange(g_pMenuData, nullptr); }

    // The stored menu 7 of an earlier run, numbered as an installed one is.
    void StoreMenu(const std::string& entries) {
        CMenuData menu;
        ASSERT_EQ(0, ParseExactly(menu, 0, MenuText("7", entries)));
        NumberSites(menu.m_rootPopUp);
        fake.registry.Settings()["MenuData"] = {RegistryType::Binary, WriteMenuArchive(menu)};
    }
    bool Command(int id) { return fake.window.events->OnCommand(id); }
    void Click(unsigned mouseMessage) { fake.window.events->OnTrayNotify(10, mouseMessage); }

    FakePlatform fake;
};
