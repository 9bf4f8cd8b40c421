#pragma once

#include "app/CurrentMenu.h"
#include "app/SiteMenuApp.h"
#include "app/TrayIcon.h"
#include "menu/MenuData.h"
#include "settings/Settings.h"
#include "tests/fake/FakePlatform.h"

#include <gtest/gtest.h>

#include <string>

// The program's objects on a fresh fake platform, as at process start.
class AppFixture : public testing::Test {
protected:
    AppFixture();
    ~AppFixture() override;

    // Stores the menu the text gives (numbered as an installed one would be)
    // in the user's settings key, with the other values as a previous run
    // left them.
    void StoreMenu(const std::string& menuText);
    // A menu text with the given number and a root holding the body lines.
    static std::string MenuText(int number, const std::string& bodyLines);
    // Starts the program: InitInstance with its result.
    bool Start();

    FakePlatform fake;
};
