// `vellinor-menu show`: what the program makes of a downloaded menu file.
#include "menu/MenuArchive.h"
#include "tests/fake/FakePlatform.h"
#include "tests/unit/MenuArchiveBytes.h"
#include "tools/DownloadedMenu.h"
#include "tools/MenuListing.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string kExampleText = "1\n2.1.2.5\n37\nBEGIN Sites\nNews\tnews.htm\n-\n"
                                 "BEGIN &Reference\nEpisodes\t\tepisodes.htm\nEND\nEND\n";

const std::string kExampleListing = "result 0\n"
                                    "number 37\n"
                                    "root \"Sites\"\n"
                                    "  site 1001 \"News\" \"news.htm\"\n"
                                    "  divider\n"
                                    "  popup \"&Reference\"\n"
                                    "    site 1002 \"Episodes\" \"episodes.htm\"\n";

class MenuToolShow : public ::testing::Test {
protected:
    std::string Show(const std::string& body, std::uint16_t held = 0) {
        CMenuData menu;
        const int result = ReadDownloadedMenu(held, body.data(), body.size(), menu);
        std::ostringstream out;
        WriteShowListing(out, result, menu);
        return out.str();
    }

    FakePlatform fake;
};

TEST_F(MenuToolShow, ExampleGivesTheDocumentedListing) {
    EXPECT_EQ(kExampleListing, Show(kExampleText));
    EXPECT_EQ(kExampleListing, Show(kExampleText + "(anything)\n", 36));
}

TEST_F(MenuToolShow, ResultsOtherThanANewMenuPrintOnlyWhatTheyKnow) {
    EXPECT_EQ("result 1\nnumber 37\n", Show(kExampleText, 37));
    EXPECT_EQ("result 1\nnumber 37\n", Show("1\n2.1.2.5\n65573\nBEGIN\nEND\n\n", 37));
    EXPECT_EQ("result 2\n", Show("2\n2.1.2.5\n37\nBEGIN Sites\nEND\n\n"));
    EXPECT_EQ("result 4\n", Show("1\n2.1.2.5\n37\nBEGIN Sites\nEND\n"));
}

TEST_F(MenuToolShow, TwentyBytesOrFewerAreNeverParsed) {
    // Ten lines in 20 bytes: the parser would take them, and its version test
    // would show message 202.
    const std::string twenty = "1\n2\n3\n4\n5\n6\n7\n8\n9\n0\n";
    ASSERT_EQ(20u, twenty.size());
    EXPECT_EQ("result 4\n", Show(twenty));
    EXPECT_TRUE(fake.messages.shown.empty());

    const std::string twentyOne = "1\n2\n3\n4\n-\n6\n7\n8\n9\n10\n";
    EXPECT_EQ("result 0\nnumber 3\nroot \"\"\n  divider\n", Show(twentyOne));
    ASSERT_EQ(1u, fake.messages.shown.size());
    EXPECT_EQ(202u, fake.messages.shown[0].first);
}

TEST_F(MenuToolShow, OnlyTheFirst65536BytesCount) {
    std::string text = "1\n2.1.2.5\n37\nBEGIN Sites\n";
    const std::string edge = "Edge\tedge.htm\n";
    const std::string filler = "F\tf.htm\n";
    while (text.size() + filler.size() + edge.size() <= kMaxBodyBytes)
        text += filler;
    text += std::string(kMaxBodyBytes - edge.size() - text.size(), ' ');
    text += edge; // its line feed is the last byte read
    ASSERT_EQ(kMaxBodyBytes, text.size());
    text += "Late\tlate.htm\nEND\n";

    const std::string listing = Show(text);
    EXPECT_NE(std::string::npos, listing.find("\"Edge\" \"edge.htm\"\n"));
    EXPECT_EQ(std::string::npos, listing.find("Late"));
}

TEST_F(MenuToolShow, NestingIndentsTwoSpacesPerLevelAndQuotesOddBytes) {
    const std::string text = "1\n2.1.2.5\n9\nBEGIN Top \"menu\"\n"
                             "BEGIN A\nBEGIN B\nDeep\\\tx\x01y\nEND\nBEGIN\nEND\nEND\n"
                             "Caf\xe9\t\tcafe.htm\nEND\n";
    EXPECT_EQ("result 0\n"
              "number 9\n"
              "root \"Top \\\"menu\\\"\"\n"
              "  popup \"A\"\n"
              "    popup \"B\"\n"
              "      site 1001 \"Deep\\\\\" \"x\\x01y\"\n"
              "    popup \"\"\n"
              "  site 1002 \"Caf\\xe9\" \"cafe.htm\"\n",
              Show(text));
}

TEST_F(MenuToolShow, StoredListingShowsEntriesNoTextGives) {
    // A stored root holding a bare entry and a divider with a caption.
    const Bytes stored = Join({NewClass("CMenuData"), Hex("01 00 07 00"), ShortString("R"), U32(3),
                               NewClass("CMenuItem"), ShortString("bare"), NewClass("CMenuDivider"),
                               ShortString("line"), Hex("05 80"), ShortString("")});
    const ArchiveReadResult read = ReadMenuArchive(stored.data(), stored.size());
    ASSERT_EQ(ArchiveError::none, read.error);
    std::ostringstream out;
    WriteStoredListing(out, *read.menu);
    EXPECT_EQ("number 7\nroot \"R\"\n  item \"bare\"\n  divider\n  divider\n", out.str());
}

} // namespace
