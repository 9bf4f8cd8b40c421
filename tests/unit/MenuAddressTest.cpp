#include "update/MenuAddress.h"

#include "tests/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

const char kPolicyKey[] = "Software\\Policies\\Vellinor";

struct PolicyCase {
    const char* name;
    const char* machine; // nullptr: no value
    const char* user;
    const char* expected; // nullptr: the built-in address
};

class MenuAddressFromPolicies : public testing::TestWithParam<PolicyCase> {
protected:
    FakePlatform fake;
};

TEST_P(MenuAddressFromPolicies, TheComputerWinsThenTheUserThenTheBuiltInAddress) {
    const PolicyCase& c = GetParam();
    if (c.machine)
        fake.registry.Key(RegistryRoot::LocalMachine, kPolicyKey).SetString("MenuUrl", c.machine);
    if (c.user)
        fake.registry.Key(RegistryRoot::CurrentUser, kPolicyKey).SetString("MenuUrl", c.user);
    EXPECT_EQ(c.expected ? c.expected : VELLINOR_MENU_URL, MenuAddress());
}

INSTANTIATE_TEST_SUITE_P(
    , MenuAddressFromPolicies,
    testing::Values(PolicyCase{"Neither", nullptr, nullptr, nullptr},
                    PolicyCase{"ComputerOnly", "http://menu.corp.test/sites.txt", nullptr,
                               "http://menu.corp.test/sites.txt"},
                    PolicyCase{"UserOnly", nullptr, "https://sales.corp.test/sites.txt",
                               "https://sales.corp.test/sites.txt"},
                    PolicyCase{"BothTheComputers", "http://menu.corp.test/sites.txt",
                               "https://sales.corp.test/sites.txt",
                               "http://menu.corp.test/sites.txt"},
                    PolicyCase{"ComputerEmptyUsersCounts", "", "https://sales.corp.test/sites.txt",
                               "https://sales.corp.test/sites.txt"},
                    PolicyCase{"ComputerNotHttpUsersCounts", "file:///C:/menu.txt",
                               "https://sales.corp.test/sites.txt",
                               "https://sales.corp.test/sites.txt"},
                    PolicyCase{"UserNotHttp", nullptr, "menu.corp.test/sites.txt", nullptr}),
    [](const testing::TestParamInfo<PolicyCase>& info) { return std::string(info.param.name); });

} // namespace
