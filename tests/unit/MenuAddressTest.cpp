#include "update/MenuAddress.h"

#include "tests/fake/FakePlatform.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The computer's policy wins, then the user's, then the built-in address; a
// policy that is empty or no web address counts as none.
TEST(MenuAddressFromPolicies, TheComputerWinsThenTheUserThenTheBuiltInAddress) {
    const char* const computer = "http://menu.corp.test/sites.txt";
    const char* const user = "https://sales.corp.test/sites.txt";
    const char* const none = nullptr;
    for (const auto& [machineValue, userValue, expected] :
         {std::tuple{none, none, VELLINOR_MENU_URL}, std::tuple{computer, none, computer},
          std::tuple{none, user, user}, std::tuple{computer, user, computer},
          std::tuple{"", user, user}, std::tuple{"file:///C:/menu.txt", user, user},
          std::tuple{none, "menu.corp.test/sites.txt", VELLINOR_MENU_URL}}) {
        FakePlatform fake;
        const char key[] = "Software\\Policies\\Vellinor";
        if (machineValue)
            fake.registry.Key(RegistryRoot::LocalMachine, key).SetString("MenuUrl", machineValue);
        if (userValue)
            fake.registry.Key(RegistryRoot::CurrentUser, key).SetString("MenuUrl", userValue);
        EXPECT_EQ(std::string(expected), MenuAddress())
            << (machineValue ? machineValue : "-") << " " << (userValue ? userValue : "-");
    }
}

} // namespace
