// The maker's tool's command line.
#include "tools/ToolArguments.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

namespace {

// Every field of an accepted line, or "refused" for a line refused with a
// reason.
std::string Fields(const std::string& line) {
    std::istringstream in(line);
    const auto [ok, a, error] = ParseToolArguments({std::istream_iterator<std::string>(in), {}});
    std::ostringstream out;
    out << static_cast<int>(a.command) << ' ' << a.input << " held=" << a.held << " o=" << a.output
        << " reg=" << a.regFile << " text=" << a.menuText << " cp=" << a.codePage << a.keyFile
        << a.publicKey;
    return ok ? out.str() : error.empty() ? "refused without a reason" : "refused";
}

TEST(MenuToolArguments, AcceptedLinesGiveTheirCommandAndOptions) {
    // Commands: 0 help, 1 check, 2 show, 3 pack, 4 unpack, 5 keygen, 6 sign, 7 verify.
    const std::pair<const char*, const char*> table[] = {
        {"--help", "0  held=0 o= reg=0 text=0 cp=0"},
        {"check s.txt --codepage 1251", "1 s.txt held=0 o= reg=0 text=0 cp=1251"},
        {"show s.txt --held 37", "2 s.txt held=37 o= reg=0 text=0 cp=0"},
        {"pack s --reg -o m.reg", "3 s held=0 o=m.reg reg=1 text=0 cp=0"},
        {"unpack --codepage 65535 b --text", "4 b held=0 o= reg=0 text=1 cp=65535"},
        {"check -", "1 - held=0 o= reg=0 text=0 cp=0"},
        {"keygen k.pem", "5 k.pem held=0 o= reg=0 text=0 cp=0"},
        {"sign -k k.pem s", "6 s held=0 o= reg=0 text=0 cp=0k.pem"},
        {"verify s BKey+/=", "7 s held=0 o= reg=0 text=0 cp=0BKey+/="}};
    for (const auto& [line, fields] : table)
        EXPECT_EQ(fields, Fields(line)) << line;
}

TEST(MenuToolArguments, OtherLinesAreRefusedWithAReason) {
    for (const char* line : {"",
                             "--help s",
                             "verify s",
                             "check",
                             "check a b",
                             "check a --held 3",
                             "show a --held",
                             "show a --held 65536",
                             "show a --held -1",
                             "show a --held 3x",
                             "pack a -o",
                             "pack a --text",
                             "unpack a --reg",
                             "show a -x",
                             "check a --codepage",
                             "check a --codepage 0",
                             "pack a --codepage 65536",
                             "show a --held 000007",
                             "check -x",
                             "keygen",
                             "sign s",
                             "sign s -k",
                             "check s -k k",
                             "verify s k k",
                             "verify k s --held 1"})
        EXPECT_EQ("refused", Fields(line)) << line;
}

} // namespace
