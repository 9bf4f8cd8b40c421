// Which addresses go to the browser, how they reach its command line, and
// which program that line starts.
#include "browser/BrowserAddress.h"
#include "platform/CommandLineProgram.h"

#include <gtest/gtest.h>

namespace {

TEST(BrowserAddress, HttpAddressesOpenAsTheyStandDottedHostNamesWithHttpInFront) {
    const std::pair<const char*, const char*> table[] = {
        {"HTTP://EXAMPLE.COM", "HTTP://EXAMPLE.COM"},
        {"hTtPs://example.com/a b", "hTtPs://example.com/a b"},
        {"news.htm", "http://news.htm"},
        {"my-host.example.com:65535/a?b#c", "http://my-host.example.com:65535/a?b#c"},
        {"example.com:000080", "refused"},
        {"xttp://a.example", "refused"}};
    for (const auto& [address, opened] : table)
        EXPECT_EQ(opened, AddressToOpen(address).value_or("refused")) << address;
}

TEST(BrowserAddress, ProgramsPathsOptionsOtherSchemesAndMalformedHostsAreRefused) {
    for (const char* address :
         {"", "http://", "http://@/x", "http://:80/", "example.com:65536",
          "example.com:", "example.com:8a", "https://:80/", "-bad.example.com", "bad-.example.com",
          "example..com", "exa_mple.com", "example.com/a b", "example.com/\x7f", "a.b?x=c:\\d",
          "calc", "--renderer-cmd-prefix=calc", "file:///C:/Windows/notepad.exe",
          "\\\\server\\share\\x.exe"})
        EXPECT_FALSE(AddressToOpen(address).has_value()) << address;
}

// The address cannot split its argument: quotes, spaces and controls are
// escaped, bytes of the ANSI code page and existing escapes stay. It replaces
// every "%1", or follows the template; other inserts stay literal instead of
// being read from arguments that do not exist.
TEST(BrowserCommandLine, HoldsTheAddressAsOneArgumentInItsPlace) {
    EXPECT_EQ("http://x/%22%20-new-tab%20%22evil%09b%0Ac%7F/caf\xe9?q=%41",
              EncodeForCommandLine("http://x/\" -new-tab \"evil\tb\nc\x7f/caf\xe9?q=%41"));
    EXPECT_EQ("b.exe -a \"http://a/\" %2 -b http://a/ %s",
              BuildBrowserCommandLine("b.exe -a \"%1\" %2 -b %1 %s", "http://a/"));
    EXPECT_EQ("C:\\b.exe http://a/", BuildBrowserCommandLine("C:\\b.exe", "http://a/"));
}

TEST(BrowserCommandLine, ProgramIsTheQuotedPathOrUpToTheFirstExeOrTheFirstToken) {
    const std::pair<const char*, const char*> table[] = {
        {R"("C:\Program Files\W\b.exe" -url "http://a/")", R"(C:\Program Files\W\b.exe)"},
        {" \t\"C:\\W\\b.exe\"", R"(C:\W\b.exe)"},
        // Unquoted, spaces and all, up to the first ".exe" a blank or the end
        // follows; without one, up to the first blank.
        {R"(C:\Program Files\W B\b.exe %1)", R"(C:\Program Files\W B\b.exe)"},
        {"C:\\T\\w.exe.d\\my.exe-x\\b.Exe\tc.exe", R"(C:\T\w.exe.d\my.exe-x\b.Exe)"},
        {R"(  C:\Program Files\W\b %1)", R"(C:\Program)"},
        // No program at all.
        {"", "none"},
        {R"("" http://a/)", "none"},
        {R"("C:\b.exe -url)", "none"}};
    for (const auto& [line, program] : table)
        EXPECT_EQ(program, ProgramPathOf(line).value_or("none")) << line;
}

} // namespace
