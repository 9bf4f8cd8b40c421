#include "browser/BrowserAddress.h"
#include "browser/BrowserLauncher.h"
#include "res/resource.h"
#include "tests/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

struct AddressCase {
    const char* address;
    const char* opened; // what reaches the browser; null: refused
};

class AddressRule : public testing::TestWithParam<AddressCase> {};

// Both ways of opening a site, the shell's and the new window's, open the
// same address or refuse it with message 51, starting nothing.
TEST_P(AddressRule, OpensOnlyWebAddressesEitherWay) {
    const AddressCase& c = GetParam();
    FakePlatform fake;
    fake.registry.Key(RegistryRoot::ClassesRoot, ".htm").SetString("", "Page");
    fake.registry.Key(RegistryRoot::ClassesRoot, "Page\\shell\\open\\command")
        .SetString("", "web.exe %1");

    const bool shellWay = OpenUrlInBrowser(false, c.address);
    const bool newWindow = OpenUrlInBrowser(true, c.address);

    EXPECT_EQ(c.opened != nullptr, shellWay) << c.address;
    EXPECT_EQ(c.opened != nullptr, newWindow) << c.address;
    if (c.opened == nullptr) {
        EXPECT_TRUE(fake.shell.opened.empty()) << c.address;
        EXPECT_TRUE(fake.shell.started.empty()) << c.address;
        EXPECT_EQ((std::vector<std::pair<unsigned, unsigned>>{{IDS_BROWSER_FAILED, 0x10},
                                                              {IDS_BROWSER_FAILED, 0x10}}),
                  fake.messages.shown)
            << c.address;
        return;
    }
    EXPECT_EQ(std::vector<std::string>{c.opened}, fake.shell.opened) << c.address;
    ASSERT_EQ(1u, fake.shell.started.size()) << c.address;
    EXPECT_EQ(std::string("web.exe ") + c.opened, fake.shell.started[0].commandLine);
    EXPECT_TRUE(fake.messages.shown.empty()) << c.address;
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, AddressRule,
    testing::Values(
        // http and https with a host, as they stand
        AddressCase{"http://example.com/page.htm", "http://example.com/page.htm"},
        AddressCase{"HTTP://EXAMPLE.COM", "HTTP://EXAMPLE.COM"},
        AddressCase{"hTtPs://example.com/a b", "hTtPs://example.com/a%20b"},
        AddressCase{"http://user@intranet:8080/x", "http://user@intranet:8080/x"},
        AddressCase{"http://", nullptr}, AddressCase{"https:///path", nullptr},
        AddressCase{"http://@/x", nullptr}, AddressCase{"http://:80/", nullptr},
        AddressCase{"http:example.com", nullptr},
        // a dotted host name without a scheme gets one
        AddressCase{"www.vellinor.test/velweb", "http://www.vellinor.test/velweb"},
        AddressCase{"news.htm", "http://news.htm"},
        AddressCase{"notepad.exe", "http://notepad.exe"},
        AddressCase{"example.com:8080", "http://example.com:8080"},
        AddressCase{"my-host.example.com:80/a?b#c", "http://my-host.example.com:80/a?b#c"},
        AddressCase{"a.b?x=c:\\d", nullptr}, AddressCase{"example.com:99999", nullptr},
        AddressCase{"example.com:", nullptr}, AddressCase{"example.com:8o", nullptr},
        AddressCase{"-bad.example.com", nullptr}, AddressCase{"bad-.example.com", nullptr},
        AddressCase{"example..com", nullptr}, AddressCase{"example.com.", nullptr},
        AddressCase{".example.com", nullptr}, AddressCase{"exa_mple.com", nullptr},
        AddressCase{"example.com/a b", nullptr}, AddressCase{"example.com/\tab", nullptr},
        AddressCase{"example.com/\x7f", nullptr},
        // programs, paths, options and other schemes are refused
        AddressCase{"calc", nullptr}, AddressCase{"cmd", nullptr}, AddressCase{"notepad", nullptr},
        AddressCase{"..\\..\\Users\\Public\\x.exe", nullptr},
        AddressCase{"--renderer-cmd-prefix=calc", nullptr},
        AddressCase{"--gpu-launcher=notepad", nullptr},
        AddressCase{"file:///C:/Windows/notepad.exe", nullptr},
        AddressCase{"C:\\Windows\\System32\\calc.exe", nullptr},
        AddressCase{"c:calc.exe", nullptr}, AddressCase{"\\\\server\\share\\tool.exe", nullptr},
        AddressCase{"/usr/bin/xterm", nullptr}, AddressCase{"//example.com/x", nullptr},
        AddressCase{"javascript:alert(1)", nullptr}, AddressCase{"mailto:a@example.com", nullptr},
        AddressCase{"ftp://example.com/file", nullptr}, AddressCase{"ms-settings:", nullptr},
        AddressCase{" www.example.com", nullptr}, AddressCase{"", nullptr}));

TEST(CommandLineEncoding, QuotesSpacesAndControlsCannotSplitTheArgument) {
    EXPECT_EQ("http://x/%22%20-new-tab%20%22evil",
              EncodeForCommandLine("http://x/\" -new-tab \"evil"));
    EXPECT_EQ("http://x/a%09b%0Ac%7F", EncodeForCommandLine("http://x/a\tb\nc\x7f"));
    // Bytes of the ANSI code page and existing escapes stay as they are.
    EXPECT_EQ("http://x/caf\xe9?q=%41", EncodeForCommandLine("http://x/caf\xe9?q=%41"));
}

struct CommandLineCase {
    const char* commandTemplate;
    const char* expected;
};

class BrowserCommandLine : public testing::TestWithParam<CommandLineCase> {};

TEST_P(BrowserCommandLine, PutsTheAddressInPlace) {
    EXPECT_EQ(GetParam().expected,
              BuildBrowserCommandLine(GetParam().commandTemplate, "http://example.com/"));
}

INSTANTIATE_TEST_SUITE_P(
    Templates, BrowserCommandLine,
    testing::Values(
        CommandLineCase{"\"C:\\Program Files\\Browser\\browser.exe\" \"%1\"",
                        "\"C:\\Program Files\\Browser\\browser.exe\" \"http://example.com/\""},
        CommandLineCase{"C:\\browser.exe", "C:\\browser.exe http://example.com/"},
        CommandLineCase{"browser.exe -a \"%1\" -b %1",
                        "browser.exe -a \"http://example.com/\" -b http://example.com/"},
        // Inserts the program does not supply stay literal instead of being
        // read from arguments that do not exist.
        CommandLineCase{"browser.exe %2 %1 %s", "browser.exe %2 http://example.com/ %s"}));

TEST(BrowserCommandLine, HasNoLengthLimit) {
    const std::string longPath = "C:\\" + std::string(400, 'p') + "\\browser.exe \"%1\"";
    const std::string longAddress = "http://example.com/" + std::string(1000, 'a');
    const std::string line = BuildBrowserCommandLine(longPath, longAddress);
    EXPECT_EQ(longPath.size() - 2 + longAddress.size(), line.size());
    EXPECT_NE(std::string::npos, line.find(longAddress));
}

} // namespace
