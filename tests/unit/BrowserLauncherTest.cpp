#include "browser/BrowserLauncher.h"
#include "res/resource.h"
#include "tests/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace {

class BrowserLauncher : public testing::Test {
protected:
    void Associate(const std::string& extension, const std::string& fileType,
                   const std::string& command) {
        fake.registry.Key(RegistryRoot::ClassesRoot, extension).SetString("", fileType);
        fake.registry.Key(RegistryRoot::ClassesRoot, fileType + "\\shell\\open\\command")
            .SetString("", command);
    }
    std::vector<std::pair<unsigned, unsigned>> Messages() const { return fake.messages.shown; }

    FakePlatform fake;
};

TEST_F(BrowserLauncher, TheShellWayHandsTheAddressOver) {
    EXPECT_TRUE(OpenUrlInBrowser(false, "http://example.com/a"));
    EXPECT_TRUE(OpenUrlInBrowser(false, "vellinor.example/velweb"));
    EXPECT_EQ((std::vector<std::string>{"http://example.com/a", "http://vellinor.example/velweb"}),
              fake.shell.opened);
    EXPECT_TRUE(fake.shell.started.empty());
}

TEST_F(BrowserLauncher, TheNewWindowWayStartsTheHtmOpenCommand) {
    Associate(".htm", "WebPage", "\"C:\\Program Files\\Web\\web.exe\" -new \"%1\"");
    EXPECT_TRUE(OpenUrlInBrowser(true, "http://example.com/a b\""));
    ASSERT_EQ(1u, fake.shell.started.size());
    EXPECT_EQ("\"C:\\Program Files\\Web\\web.exe\" -new \"http://example.com/a%20b%22\"",
              fake.shell.started[0].commandLine);
    EXPECT_EQ("C:\\Program Files\\Web\\web.exe", fake.shell.started[0].programPath);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(BrowserLauncher, HtmlServesWhenHtmHasNoUsableCommand) {
    fake.registry.Key(RegistryRoot::ClassesRoot, ".htm").SetString("", "Broken");
    Associate(".html", "WebPage", "C:\\web.exe");
    EXPECT_TRUE(OpenUrlInBrowser(true, "http://example.com/"));
    ASSERT_EQ(1u, fake.shell.started.size());
    EXPECT_EQ("C:\\web.exe http://example.com/", fake.shell.started[0].commandLine);
}

TEST_F(BrowserLauncher, LongAssociationsAreReadWhole) {
    const std::string fileType = "WebPage.Document." + std::string(60, 'x');
    const std::string command = "\"C:\\" + std::string(300, 'd') + "\\web.exe\" \"%1\"";
    Associate(".htm", fileType, command);
    EXPECT_TRUE(OpenUrlInBrowser(true, "http://example.com/"));
    ASSERT_EQ(1u, fake.shell.started.size());
    EXPECT_EQ(0u, fake.shell.started[0].commandLine.find("\"C:\\" + std::string(300, 'd')));
}

TEST_F(BrowserLauncher, NoAssociationIsMessage52) {
    EXPECT_FALSE(OpenUrlInBrowser(true, "http://example.com/"));
    EXPECT_EQ((std::vector<std::pair<unsigned, unsigned>>{{IDS_BROWSER_NOT_FOUND, 0x10}}),
              Messages());
}

TEST_F(BrowserLauncher, AFailedStartIsMessage51WithNoFallback) {
    Associate(".htm", "WebPage", "C:\\web.exe \"%1\"");
    fake.shell.startProcessSucceeds = false;
    EXPECT_FALSE(OpenUrlInBrowser(true, "http://example.com/"));
    fake.shell.shellOpenSucceeds = false;
    EXPECT_FALSE(OpenUrlInBrowser(false, "http://example.com/"));
    EXPECT_EQ((std::vector<std::pair<unsigned, unsigned>>{{IDS_BROWSER_FAILED, 0x10},
                                                          {IDS_BROWSER_FAILED, 0x10}}),
              Messages());
    EXPECT_EQ(1u, fake.shell.started.size());
    EXPECT_EQ(1u, fake.shell.opened.size());
}

} // namespace
