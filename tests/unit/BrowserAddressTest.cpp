#include "browser/BrowserAddress.h"

#include <gtest/gtest.h>

namespace {

struct AddressCase {
    const char* address;
    bool isWebAddress;
};

class WebAddressRule : public testing::TestWithParam<AddressCase> {};

TEST_P(WebAddressRule, AcceptsOnlyWebAddresses) {
    EXPECT_EQ(GetParam().isWebAddress, IsWebAddress(GetParam().address)) << GetParam().address;
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, WebAddressRule,
    testing::Values(
        AddressCase{"http://example.com/page.htm", true}, AddressCase{"https://example.com/", true},
        AddressCase{"HTTP://EXAMPLE.COM", true}, AddressCase{"hTtPs://example.com", true},
        AddressCase{"vellinor.example/velweb", true}, AddressCase{"news.htm", true},
        AddressCase{"example.com:8080/menu", true}, AddressCase{"example.com:8080", true},
        AddressCase{"file:///C:/Windows/notepad.exe", false},
        AddressCase{"FILE:c:/autoexec.bat", false},
        AddressCase{"C:\\Windows\\System32\\calc.exe", false}, AddressCase{"c:calc.exe", false},
        AddressCase{"\\\\server\\share\\tool.exe", false}, AddressCase{"/usr/bin/xterm", false},
        AddressCase{"\\Windows\\notepad.exe", false}, AddressCase{"javascript:alert(1)", false},
        AddressCase{"mailto:someone@example.com", false},
        AddressCase{"ftp://example.com/file", false}, AddressCase{"ms-settings:", false},
        AddressCase{"", false}));

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
