// The publisher's key and signature lines, and which menu numbers are newer.
#include "update/MenuSignature.h"
#include "update/Base64Text.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return EncodeBase64(bytes.data(), bytes.size());
}

TEST(MenuSignatureBase64, OneTextForEveryValueAndNothingElseReads) {
    const std::vector<std::uint8_t> bytes = {0xFB, 0xFF, 0x00, 0x41};
    EXPECT_EQ("+/8AQQ==", Text(bytes));
    EXPECT_EQ("+/8A", Text({0xFB, 0xFF, 0x00}));
    EXPECT_EQ("+/8=", Text({0xFB, 0xFF}));
    EXPECT_EQ(bytes, DecodeBase64("+/8AQQ=="));
    EXPECT_EQ(std::vector<std::uint8_t>{}, DecodeBase64(""));
    for (const std::string_view other : std::initializer_list<std::string_view>{
             "+/8AQQ=", "+/8AQR==", "+/8=AQQ=", "+/8A QQ==", "+/8AQ===", "-_8AQQ==", "+/8AQQ=A",
             "+/9=", "AB=C", std::string_view("+/8\0", 4)})
        EXPECT_FALSE(DecodeBase64(other).has_value()) << other;
}

TEST(MenuSignatureLines, ReadOneLineOfTheRightSizeWithBlanksAround) {
    std::vector<std::uint8_t> key(65, 0xA5), signature(64, 0x5A);
    key[0] = 0x04;
    const std::string keyLine = Text(key), signatureLine = Text(signature);
    ASSERT_TRUE(ReadPublicKeyLine(" " + keyLine + "\r\n").has_value());
    EXPECT_EQ(0xA5, (*ReadPublicKeyLine(keyLine))[64]);
    EXPECT_EQ(0x5A, (*ReadSignatureLine(signatureLine + "\n"))[63]);
    key[0] = 0x02; // a compressed point
    for (const std::string& other :
         {Text(key), signatureLine, keyLine + "\n" + keyLine, std::string()})
        EXPECT_FALSE(ReadPublicKeyLine(other).has_value()) << other;
    for (const std::string& other : {keyLine, Text({signature.begin(), signature.end() - 1}),
                                     signatureLine.substr(0, 40) + "\n" + signatureLine.substr(40)})
        EXPECT_FALSE(ReadSignatureLine(other).has_value()) << other;
}

TEST(MenuSignatureNumbers, ANumberIsNewerUpToHalfTheCircleAhead) {
    const std::tuple<int, int, bool> rows[] = {
        {8, 7, true},     {7, 7, false},     {6, 7, false},     {0, 65535, true},
        {32767, 0, true}, {32768, 0, false}, {1, 32769, false}, {65535, 32768, true},
        {32768, 1, true}, {0, 32768, false}};
    for (const auto& [candidate, held, newer] : rows)
        EXPECT_EQ(newer, IsNewerMenuNumber(candidate, held)) << candidate << " over " << held;
}

} // namespace
