#include "browser/BrowserAddress.h"

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

const std::nullopt_t refused = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Addresses, AddressRule,
    testing::Values(
        // http and https with a host, as they stand
        AddressCase{"HTTP://EXAMPLE.COM", "HTTP://EXAMPLE.COM"},
        AddressCase{"hTtPs://example.com/a b", "hTtPs://example.com/a b"},
        AddressCase{"http://user@intranet:8080/x", "http://user@intranet:8080/x"},
        AddressCase{"http://", refused}, AddressCase{"http://@/x", refused},
        AddressCase{"http://:80/", refused}, AddressCase{"http:example.com", refused},
        // a dotted host name without a scheme gets one
        AddressCase{"news.htm", "http://news.htm"},
        AddressCase{"my-host.example.com:65535/a?b#c", "http://my-host.example.com:65535/a?b#c"},
        AddressCase{"example.com:65536", refused}, AddressCase{"example.com:", refused},
        AddressCase{"example.com:8o", refused}, AddressCase{"-bad.example.com", refused},
        AddressCase{"bad-.example.com", refused}, AddressCase{"example..com", refused},
        AddressCase{"example.com.", refused}, AddressCase{".example.com", refused},
        AddressCase{"exa_mple.com", refused}, AddressCase{"example.com/a b", refused},
        AddressCase{"example.com/\x7f", refused}, AddressCase{"a.b?x=c:\\d", refused},
        // programs, paths, options and other schemes
        AddressCase{"calc", refused}, AddressCase{"--renderer-cmd-prefix=calc", refused},
        AddressCase{"file:///C:/Windows/notepad.exe", refused},
        AddressCase{"\\\\server\\share\\x.exe", refused},
        AddressCase{"javascript:alert(1)", refused}, AddressCase{"", refused}));

TEST(BrowserCommandLine, QuotesSpacesAndControlsCannotSplitTheArgument) {
    // Bytes of the ANSI code page and existing escapes stay as they are.
    EXPECT_EQ("http://x/%22%20-new-tab%20%22evil%09b%0Ac%7F/caf\xe9?q=%41",
              EncodeForCommandLine("http://x/\" -new-tab \"evil\tb\nc\x7f/caf\xe9?q=%41"));
}

// The address replaces every "%1", or follows the template; other inserts
// stay literal instead of being read from arguments that do not exist.
TEST(BrowserCommandLine, PutsTheAddressInPlace) {
    EXPECT_EQ("b.exe -a \"http://a/\" %2 -b http://a/ %s",
              BuildBrowserCommandLine("b.exe -a \"%1\" %2 -b %1 %s", "http://a/"));
    EXPECT_EQ("C:\\b.exe http://a/", BuildBrowserCommandLine("C:\\b.exe", "http://a/"));
}

} // namespace
