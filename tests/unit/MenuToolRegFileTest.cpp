// `vellinor-menu pack --reg`: the stored menu as a REGEDIT4 file.
#include "tools/RegFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace {

const std::string kHead = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vellinor]\r\n";

std::vector<std::uint8_t> Counting(std::size_t count) {
    std::vector<std::uint8_t> data(count);
    for (std::size_t i = 0; i < count; ++i)
        data[i] = static_cast<std::uint8_t>(i * 7 + 0xA0);
    return data;
}

TEST(MenuToolRegFile, EmptyMenuBytesWrapAfterTwentyOnePairs) {
    // The 24 bytes of an empty stored menu.
    const std::vector<std::uint8_t> empty{0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00, 'C',  'M',
                                          'e',  'n',  'u',  'D',  'a',  't',  'a',  0x01,
                                          0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(kHead + "\"MenuData\"=hex:ff,ff,01,00,09,00,43,4d,65,6e,75,44,61,74,61,01,00,"
                      "00,00,00,00,\\\r\n"
                      "  00,00,00\r\n\r\n",
              MakeMenuRegFile(empty));
}

TEST(MenuToolRegFile, TwentyOnePairsStayOnTheFirstLine) {
    const std::string file = MakeMenuRegFile(Counting(21));
    EXPECT_EQ(std::string::npos, file.find('\\', kHead.size()));
    EXPECT_EQ(kHead.size() + 15 + 21 * 3 - 1 + 4, file.size());
}

// Every line within 80 columns with CR LF ends, the continuation lines
// indented by two spaces and ended by a backslash but the last, and the hex
// pairs giving back the bytes.
TEST(MenuToolRegFile, LongDataIsLaidOutAsTheRegistryEditorWritesIt) {
    for (const std::size_t count : {22u, 46u, 140u, 1000u}) {
        const std::vector<std::uint8_t> data = Counting(count);
        const std::string file = MakeMenuRegFile(data);
        ASSERT_EQ(0u, file.find(kHead + "\"MenuData\"=hex:"));
        ASSERT_EQ("\r\n\r\n", file.substr(file.size() - 4));

        std::vector<std::string> lines;
        std::size_t start = kHead.size();
        for (std::size_t end; (end = file.find("\r\n", start)) != std::string::npos;
             start = end + 2)
            lines.push_back(file.substr(start, end - start));
        ASSERT_EQ("", lines.back());
        lines.pop_back();

        std::string hex;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::string line = lines[i];
            EXPECT_LE(line.size(), 80u) << line;
            EXPECT_EQ(std::string::npos, line.find('\n'));
            const bool last = i + 1 == lines.size();
            EXPECT_EQ(!last, !line.empty() && line.back() == '\\') << line;
            if (!last) {
                line.pop_back();
                // Another pair would not have fitted.
                EXPECT_GT(line.size() + 3 + 1, 80u) << line;
            }
            if (i == 0)
                line = line.substr(15);
            else {
                ASSERT_EQ("  ", line.substr(0, 2));
                line = line.substr(2);
            }
            hex += line;
        }
        std::vector<std::uint8_t> back;
        std::istringstream pairs(hex);
        for (std::string pair; std::getline(pairs, pair, ',');) {
            ASSERT_EQ(2u, pair.size());
            EXPECT_EQ(std::string::npos, pair.find_first_not_of("0123456789abcdef"));
            back.push_back(static_cast<std::uint8_t>(std::strtoul(pair.c_str(), nullptr, 16)));
        }
        EXPECT_EQ(data, back);
    }
}

} // namespace
