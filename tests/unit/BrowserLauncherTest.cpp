#include "browser/BrowserLauncher.h"
#include "res/resource.h"
#include "tests/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

// How "example.com/a" opens in a new window: from the open command of ".htm",
// else ".html"; and which message a failure shows. The shell's way is the
// running program's.
struct LaunchCase {
    const char* htm;  // the command of ".htm": null for no type, "" for no command
    const char* html; // the same for ".html"
    bool starts;      // what the process start answers
    const char* ran;  // the command line started
    unsigned message;
};

const LaunchCase kLaunches[] = {
    {"", "C:\\web.exe", true, "C:\\web.exe http://example.com/a", 0},
    {nullptr, "C:\\web.exe %1", false, "C:\\web.exe http://example.com/a", IDS_BROWSER_FAILED},
    {"", nullptr, true, nullptr, IDS_BROWSER_NOT_FOUND},
};

TEST(BrowserLauncher, OpensANewWindowWithTheRegisteredBrowserOrTellsWhyNot) {
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
        EXPECT_EQ(row.message == 0, OpenUrlInBrowser(true, "example.com/a"));
        EXPECT_EQ((row.ran ? std::vector<std::string>{row.ran} : std::vector<std::string>{}),
                  fake.shell.opened);
        using Shown = std::vector<std::pair<unsigned, unsigned>>;
        EXPECT_EQ((row.message ? Shown{{row.message, MessageService::kIconStop}} : Shown{}),
                  fake.messages.shown);
    }
}

} // namespace
