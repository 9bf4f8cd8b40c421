// The maker's tool's command line.
#include "tools/ToolArguments.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

struct AcceptedCase {
    std::string line;
    ToolCommand command;
    std::string input;
    unsigned held;
    std::string output;
    bool regFile;
    bool menuText;
    unsigned codePage = 0;
};

std::ostream& operator<<(std::ostream& out, const AcceptedCase& c) {
    return out << c.line;
}

class AcceptedCommandLines : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedCommandLines, GiveTheirCommandAndOptions) {
    const AcceptedCase& c = GetParam();
    const ParsedArguments parsed = ParseToolArguments(Words(c.line));
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const ToolArguments& a = parsed.arguments;
    EXPECT_EQ(c.command, a.command);
    EXPECT_EQ(c.input, a.input);
    EXPECT_EQ(c.held, a.held);
    EXPECT_EQ(c.output, a.output);
    EXPECT_EQ(c.regFile, a.regFile);
    EXPECT_EQ(c.menuText, a.menuText);
    EXPECT_EQ(c.codePage, a.codePage);
}

INSTANTIATE_TEST_SUITE_P(
    MenuToolArguments, AcceptedCommandLines,
    ::testing::Values(
        AcceptedCase{"check sites.txt", ToolCommand::Check, "sites.txt", 0, "", false, false},
        AcceptedCase{"show sites.txt", ToolCommand::Show, "sites.txt", 0, "", false, false},
        AcceptedCase{"show sites.txt --held 37", ToolCommand::Show, "sites.txt", 37, "", false,
                     false},
        AcceptedCase{"show --held 65535 s", ToolCommand::Show, "s", 65535, "", false, false},
        AcceptedCase{"pack s -o out.bin", ToolCommand::Pack, "s", 0, "out.bin", false, false},
        AcceptedCase{"pack --reg s", ToolCommand::Pack, "s", 0, "", true, false},
        AcceptedCase{"pack s --reg -o m.reg", ToolCommand::Pack, "s", 0, "m.reg", true, false},
        AcceptedCase{"unpack blob", ToolCommand::Unpack, "blob", 0, "", false, false},
        AcceptedCase{"unpack blob --text", ToolCommand::Unpack, "blob", 0, "", false, true},
        AcceptedCase{"check s --codepage 1251", ToolCommand::Check, "s", 0, "", false, false, 1251},
        AcceptedCase{"unpack --codepage 65535 b --text", ToolCommand::Unpack, "b", 0, "", false,
                     true, 65535},
        AcceptedCase{"--help", ToolCommand::Help, "", 0, "", false, false}));

class RefusedCommandLines : public ::testing::TestWithParam<std::string> {};

TEST_P(RefusedCommandLines, AreRefusedWithAReason) {
    const ParsedArguments parsed = ParseToolArguments(Words(GetParam()));
    EXPECT_FALSE(parsed.ok);
    EXPECT_FALSE(parsed.error.empty());
}

INSTANTIATE_TEST_SUITE_P(MenuToolArguments, RefusedCommandLines,
                         ::testing::Values("", "verify sites.txt", "check", "check a b",
                                           "check a --held 3", "show a --held",
                                           "show a --held 65536", "show a --held -1",
                                           "show a --held 3x", "pack a -o", "pack a --text",
                                           "unpack a --reg", "show a -x", "check a --codepage",
                                           "check a --codepage 0", "pack a --codepage 65536",
                                           "show a --codepage cp1252"));

} // namespace
