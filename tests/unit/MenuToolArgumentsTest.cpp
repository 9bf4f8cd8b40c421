// The maker's tool's command line.
#include "tools/ToolArguments.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

ParsedArguments Parse(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return ParseToolArguments(words);
}

class AcceptedCommandLines : public ::testing::TestWithParam<std::pair<const char*, const char*>> {
};

TEST_P(AcceptedCommandLines, GiveTheirCommandAndOptions) {
    const ParsedArguments parsed = Parse(GetParam().first);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const ToolArguments& a = parsed.arguments;
    std::ostringstream fields;
    fields << static_cast<int>(a.command) << ' ' << a.input << " held=" << a.held
           << " o=" << a.output << " reg=" << a.regFile << " text=" << a.menuText
           << " cp=" << a.codePage;
    EXPECT_EQ(GetParam().second, fields.str());
}

// Commands: 0 help, 1 check, 2 show, 3 pack, 4 unpack.
INSTANTIATE_TEST_SUITE_P(
    MenuToolArguments, AcceptedCommandLines,
    ::testing::Values(
        std::pair{"--help", "0  held=0 o= reg=0 text=0 cp=0"},
        std::pair{"check s.txt --codepage 1251", "1 s.txt held=0 o= reg=0 text=0 cp=1251"},
        std::pair{"show s.txt --held 37", "2 s.txt held=37 o= reg=0 text=0 cp=0"},
        std::pair{"show --held 65535 s", "2 s held=65535 o= reg=0 text=0 cp=0"},
        std::pair{"pack s --reg -o m.reg", "3 s held=0 o=m.reg reg=1 text=0 cp=0"},
        std::pair{"pack -o m.bin s", "3 s held=0 o=m.bin reg=0 text=0 cp=0"},
        std::pair{"unpack --codepage 65535 b --text", "4 b held=0 o= reg=0 text=1 cp=65535"}));

class RefusedCommandLines : public ::testing::TestWithParam<const char*> {};

TEST_P(RefusedCommandLines, AreRefusedWithAReason) {
    const ParsedArguments parsed = Parse(GetParam());
    EXPECT_FALSE(parsed.ok);
    EXPECT_FALSE(parsed.error.empty());
}

INSTANTIATE_TEST_SUITE_P(MenuToolArguments, RefusedCommandLines,
                         ::testing::Values("", "--help s", "verify s", "check", "check a b",
                                           "check a --held 3", "show a --held",
                                           "show a --held 65536", "show a --held -1",
                                           "show a --held 3x", "pack a -o", "pack a --text",
                                           "unpack a --reg", "show a -x", "check a --codepage",
                                           "check a --codepage 0", "pack a --codepage 65536",
                                           "show a --codepage cp1252"));

} // namespace
