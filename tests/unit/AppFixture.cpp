#include "tests/unit/AppFixture.h"

#include "menu/CommandCounter.h"
#include "menu/MenuArchive.h"

AppFixture::AppFixture() {
    theApp = CSiteMenuApp();
    g_trayIcon = CTrayIcon(10);
    g_settings.RestoreDefaults(fake.clock.Now());
    g_pMenuData = nullptr;
}

AppFixture::~AppFixture() {
    delete g_pMenuData;
    g_pMenuData = nullptr;
}

std::string AppFixture::MenuText(int number, const std::string& bodyLines) {
    return "1\n2.1.2.5\n" + std::to_string(number) + "\nBEGIN Sites\n" + bodyLines + "END\n";
}

void AppFixture::StoreMenu(const std::string& menuText) {
    CMenuData menu;
    EXPECT_EQ(0, menu.ParseText(0, menuText.data(), menuText.size()));
    NumberSites(menu.m_rootPopUp);
    FakeRegistryKey& key = fake.registry.SettingsKey();
    key.SetBinary("MenuData", WriteMenuArchive(menu));
    key.SetDword("LastQuery", static_cast<std::uint32_t>(fake.clock.Now()));
}

bool AppFixture::Start() {
    return theApp.InitInstance();
}
