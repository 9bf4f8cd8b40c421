#include "browser/BrowserAddress.h"
#include "browser/BrowserLauncher.h"
#include "res/resource.h"
#include "tests/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

struct AddressCase {
    const char* address;
    std::optional<std::string> opened; // none: refused
};

class AddressRule : public testing::TestWithParam<AddressCase> {};

TEST_P(AddressRule, OpensOnlyWebAddresses) {
    EXPECT_EQ(GetParam().opened, AddressToOpen(GetParam().address)) << GetParam().address;
}

const std::nullopt_t kRefused = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Addresses, AddressRule,
    testing::Values(
        // http and https with a host, as they stand
        AddressCase{"HTTP://EXAMPLE.COM", "HTTP://EXAMPLE.COM"},
        AddressCase{"hTtPs://example.com/a b", "hTtPs://example.com/a b"},
        AddressCase{"http://user@intranet:8080/x", "http://user@intranet:8080/x"},
        AddressCase{"http://", kRefused}, AddressCase{"http://@/x", kRefused},
        AddressCase{"http://:80/", kRefused}, AddressCase{"http:example.com", kRefused},
        // a dotted host name without a scheme gets one
        AddressCase{"news.htm", "http://news.htm"},
        AddressCase{"my-host.example.com:65535/a?b#c", "http://my-host.example.com:65535/a?b#c"},
        AddressCase{"a.b?x=c:\\d", kRefused}, AddressCase{"example.com:65536", kRefused},
        AddressCase{"example.com:", kRefused}, AddressCase{"example.com:8o", kRefused},
        AddressCase{"-bad.example.com", kRefused}, AddressCase{"bad-.example.com", kRefused},
        AddressCase{"example..com", kRefused}, AddressCase{"example.com.", kRefused},
        AddressCase{".example.com", kRefused}, AddressCase{"exa_mple.com", kRefused},
        AddressCase{"example.com/a b", kRefused}, AddressCase{"example.com/\x7f", kRefused},
        // programs, paths, options and other schemes
        AddressCase{"calc", kRefused}, AddressCase{"--renderer-cmd-prefix=calc", kRefused},
        AddressCase{"file:///C:/Windows/notepad.exe", kRefused},
        AddressCase{"c:calc.exe", kRefused}, AddressCase{"\\\\server\\share\\tool.exe", kRefused},
        AddressCase{"//example.com/x", kRefused}, AddressCase{"javascript:alert(1)", kRefused},
        AddressCase{" www.example.com", kRefused}, AddressCase{"", kRefused}));

// Both ways of opening a site refuse it alike, starting nothing.
TEST(AddressRefusal, IsMessage51EitherWayStartingNothing) {
    FakePlatform fake;
    EXPECT_FALSE(OpenUrlInBrowser(false, "calc"));
    EXPECT_FALSE(OpenUrlInBrowser(true, "calc"));
    EXPECT_TRUE(fake.shell.opened.empty());
    EXPECT_TRUE(fake.shell.started.empty());
    EXPECT_EQ((std::vector<std::pair<unsigned, unsigned>>{{IDS_BROWSER_FAILED, 0x10},
                                                          {IDS_BROWSER_FAILED, 0x10}}),
              fake.messages.shown);
}

TEST(BrowserCommandLine, QuotesSpacesAndControlsCannotSplitTheArgument) {
    EXPECT_EQ("http://x/%22%20-new-tab%20%22evil%09b%0Ac%7F",
              EncodeForCommandLine("http://x/\" -new-tab \"evil\tb\nc\x7f"));
    // Bytes of the ANSI code page and existing escapes stay as they are.
    EXPECT_EQ("http://x/caf\xe9?q=%41", EncodeForCommandLine("http://x/caf\xe9?q=%41"));
}

// The address replaces every "%1", or follows the template; other inserts
// stay literal instead of being read from arguments that do not exist.
TEST(BrowserCommandLine, PutsTheAddressInPlace) {
    const std::string a = "http://a.test/";
    EXPECT_EQ("\"C:\\Web\\b.exe\" \"http://a.test/\"",
              BuildBrowserCommandLine("\"C:\\Web\\b.exe\" \"%1\"", a));
    EXPECT_EQ("C:\\b.exe http://a.test/", BuildBrowserCommandLine("C:\\b.exe", a));
    EXPECT_EQ("b.exe -a \"http://a.test/\" %2 -b http://a.test/ %s",
              BuildBrowserCommandLine("b.exe -a \"%1\" %2 -b %1 %s", a));
}

} // namespace
