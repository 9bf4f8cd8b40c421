#include "browser/BrowserLauncher.h"
#include "res/resource.h"
#include "tests/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

// How "example.com/a" opens: through the shell, or in a new window from the
// open command of ".htm", else ".html"; and which message a failure shows.
struct LaunchCase {
    bool newWindow;
    const char* htm;  // the command of ".htm": null for no type, "" for no command
    const char* html; // the same for ".html"
    bool starts;      // what the shell or the process start answers
    const char* ran;  // the command line, or the address the shell got
    unsigned message;
};

const LaunchCase kLaunches[] = {
    {false, nullptr, nullptr, true, "http://example.com/a", 0},
    {true, "", "C:\\web.exe", true, "C:\\web.exe http://example.com/a", 0},
    {true, nullptr, "C:\\web.exe %1", true, "C:\\web.exe http://example.com/a", 0},
    {true, "", nullptr, true, nullptr, IDS_BROWSER_NOT_FOUND},
    {false, nullptr, nullptr, false, "http://example.com/a", IDS_BROWSER_FAILED},
};

TEST(BrowserLauncher, OpensTheSiteTheWayAskedOrTellsWhyNot) {
    for (const LaunchCase& row : kLaunches) {
        FakePlatform fake;
        for (const auto& [extension, command] : {std::pair(".htm", row.htm), {".html", row.html}})
            if (command != nullptr) {
                const std::string type = extension + std::string("file");
                fake.registry.Key(RegistryRoot::ClassesRoot, extension).SetString("", type);
                if (*command != '\0')
                    fake.registry.Key(RegistryRoot::ClassesRoot, type + "\\shell\\open\\command")
                        .SetString("", command);
            }
        fake.shell.succeeds = row.starts;
        EXPECT_EQ(row.message == 0, OpenUrlInBrowser(row.newWindow, "example.com/a"));
        EXPECT_EQ((row.ran ? std::vector<std::string>{row.ran} : std::vector<std::string>{}),
                  fake.shell.opened);
        using Shown = std::vector<std::pair<unsigned, unsigned>>;
        EXPECT_EQ((row.message ? Shown{{row.message, MessageService::kIconStop}} : Shown{}),
                  fake.messages.shown);
    }
}

} // namespace
