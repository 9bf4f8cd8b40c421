#include "update/MenuAddress.h"

#include "tests/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

// The computer's policy wins, then the user's, then the built-in address; a
// policy that is empty or no web address counts as none.
TEST(MenuAddressFromPolicies, TheComputerWinsThenTheUserThenTheBuiltInAddress) {
    const char* const computer = "http://menu.corp.test/sites.txt";
    const char* const user = "https://sales.corp.test/sites.txt";
    struct Case {
        const char* machine; // nullptr: no value
        const char* user;
        std::string expected;
    };
    for (const Case& c :
         {Case{nullptr, nullptr, VELLINOR_MENU_URL}, Case{computer, nullptr, computer},
          Case{nullptr, user, user}, Case{computer, user, computer}, Case{"", user, user},
          Case{"file:///C:/menu.txt", user, user},
          Case{nullptr, "menu.corp.test/sites.txt", VELLINOR_MENU_URL}}) {
        FakePlatform fake;
        const char key[] = "Software\\Policies\\Vellinor";
        if (c.machine)
            fake.registry.Key(RegistryRoot::LocalMachine, key).SetString("MenuUrl", c.machine);
        if (c.user)
            fake.registry.Key(RegistryRoot::CurrentUser, key).SetString("MenuUrl", c.user);
        EXPECT_EQ(c.expected, MenuAddress())
            << (c.machine ? c.machine : "-") << " " << (c.user ? c.user : "-");
    }
}

} // namespace
