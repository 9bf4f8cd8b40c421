#include "browser/BrowserLauncher.h"
#include "res/resource.h"
#include "tests/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

// How "example.com/a" opens in a new window: from the open command of ".htm",
// else ".html"; and which message a failure shows. The shell's way is the
// running program's. Columns: the command of ".htm" (null for no type, "" for
// no command), the same for ".html", what the process start answers, the
// command lines started, the message.
const std::tuple<const char*, const char*, bool, std::vector<std::string>, unsigned> kLaunches[] = {
    {"", "C:\\web.exe", true, {"C:\\web.exe http://example.com/a"}, 0},
    {nullptr, "C:\\web.exe %1", false, {"C:\\web.exe http://example.com/a"}, IDS_BROWSER_FAILED},
    {"", nullptr, true, {}, IDS_BROWSER_NOT_FOUND},
};

TEST(BrowserLauncher, OpensANewWindowWithTheRegisteredBrowserOrTellsWhyNot) {
    for (const auto& [htm, html, starts, ran, message] : kLaunches) {
        FakePlatform fake;
        for (const auto& [extension, command] : {std::pair(".htm", htm), {".html", html}})
            if (command != nullptr) {
                const std::string type = extension + std::string("file");
                fake.registry.Key(RegistryRoot::ClassesRoot, extension).SetString("", type);
                if (*command != '\0')
                    fake.registry.Key(RegistryRoot::ClassesRoot, type + "\\shell\\open\\command")
                        .SetString("", command);
            }
        fake.shell.succeeds = starts;
        EXPECT_EQ(message == 0, OpenUrlInBrowser(true, "example.com/a"));
        EXPECT_EQ(ran, fake.shell.opened);
        EXPECT_EQ((message ? Shown{{message, MessageService::kIconStop}} : Shown{}),
                  fake.messages.shown);
    }
}

} // namespace
