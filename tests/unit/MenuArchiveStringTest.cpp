// Strings in the stored menu: the three length forms the writer picks, and the
// UTF-16 form that only the reader knows.
#include "menu/ArchiveReader.h"
#include "menu/ArchiveWriter.h"
#include "menu/MenuArchive.h"
#include "tests/fake/FakePlatform.h"
#include "tests/unit/MenuArchiveBytes.h"

#include <gtest/gtest.h>

namespace {

// Every byte value occurs, NUL and 0xFF included.
std::string TextOfLength(std::size_t length) {
    std::string text(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        text[i] = static_cast<char>(i * 7 + 3);
    return text;
}

Bytes Written(const std::string& text) {
    ArchiveWriter writer;
    writer.WriteString(text);
    return writer.TakeBytes();
}

struct LengthForm {
    std::size_t length;
    const char* prefix;
};

class MenuArchiveStringLength : public ::testing::TestWithParam<LengthForm> {
protected:
    FakePlatform fake;
};

TEST_P(MenuArchiveStringLength, WritesPrefixThenTheBytes) {
    const std::string text = TextOfLength(GetParam().length);
    const Bytes prefix = Hex(GetParam().prefix);
    const Bytes written = Written(text);
    ASSERT_EQ(prefix.size() + text.size(), written.size());
    EXPECT_EQ(prefix, Bytes(written.begin(), written.begin() + prefix.size()));
    EXPECT_EQ(text, std::string(written.begin() + prefix.size(), written.end()));
}

TEST_P(MenuArchiveStringLength, ReadsBackWholeAndNothingMore) {
    const std::string text = TextOfLength(GetParam().length);
    const Bytes written = Join({Written(text), Hex("AB CD")});
    ArchiveReader reader(written.data(), written.size());
    EXPECT_EQ(text, reader.ReadString());
    EXPECT_EQ(ArchiveError::none, reader.Error());
    EXPECT_EQ(0xCDAB, reader.ReadU16()) << "the bytes after the string come next";
}

INSTANTIATE_TEST_SUITE_P(Forms, MenuArchiveStringLength,
                         ::testing::Values(LengthForm{0, "00"}, LengthForm{1, "01"},
                                           LengthForm{254, "FE"}, LengthForm{255, "FF FF 00"},
                                           LengthForm{300, "FF 2C 01"},
                                           LengthForm{65533, "FF FD FF"},
                                           LengthForm{65534, "FF FF FF FE FF 00 00"},
                                           LengthForm{65535, "FF FF FF FF FF 00 00"},
                                           LengthForm{70000, "FF FF FF 70 11 01 00"}));

// The first bytes of the root caption in a whole stored menu: after the class
// description (15 bytes), the version and the number.
Bytes RootCaptionStart(const Bytes& written, std::size_t count) {
    return Bytes(written.begin() + 19, written.begin() + 19 + count);
}

TEST(MenuArchiveStringLength, LongCaptionInAMenuTakesTheLongPrefix) {
    FakePlatform fake;
    CMenuData menu;
    menu.m_rootPopUp.m_strCaption = std::string(300, 'x');
    const Bytes written = WriteMenuArchive(menu);
    EXPECT_EQ(Hex("FF 2C 01"), RootCaptionStart(written, 3));
    const ArchiveReadResult result = ReadMenuArchive(written.data(), written.size());
    ASSERT_NE(nullptr, result.menu);
    EXPECT_EQ(menu.m_rootPopUp.m_strCaption, result.menu->m_rootPopUp.m_strCaption);
}

struct Utf16Case {
    const char* name;
    Bytes bytes;
    std::string text;
};

class MenuArchiveUtf16 : public ::testing::TestWithParam<Utf16Case> {
protected:
    FakePlatform fake;
};

// n UTF-16 units 'a' 'b' 'c' ..., repeating.
Bytes Units(std::size_t count) {
    Bytes bytes;
    for (std::size_t i = 0; i < count; ++i) {
        bytes.push_back(static_cast<std::uint8_t>('a' + i % 26));
        bytes.push_back(0);
    }
    return bytes;
}

std::string Letters(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text.push_back(static_cast<char>('a' + i % 26));
    return text;
}

TEST_P(MenuArchiveUtf16, ConvertsThroughTheTextService) {
    const Bytes bytes = Join({GetParam().bytes, Hex("5A 5B")});
    ArchiveReader reader(bytes.data(), bytes.size());
    EXPECT_EQ(GetParam().text, reader.ReadString());
    EXPECT_EQ(ArchiveError::none, reader.Error());
    EXPECT_EQ(1u, fake.log.Count("Utf16ToAnsi"));
    EXPECT_EQ(0x5B5A, reader.ReadU16()) << "the bytes after the string come next";
}

INSTANTIATE_TEST_SUITE_P(
    Forms, MenuArchiveUtf16,
    ::testing::Values(
        Utf16Case{"Empty", Hex("FF FE FF 00"), ""},
        Utf16Case{"Short", Hex("FF FE FF 02 41 00 42 00"), "AB"},
        Utf16Case{"WideUnitsBecomeWhatTheCodePageHas", Hex("FF FE FF 02 3A 26 E9 00"), "?\xE9"},
        Utf16Case{"LongCount", Join({Hex("FF FE FF FF 2C 01"), Units(300)}), Letters(300)},
        // After the marker 0xFFFE is a count like any other.
        Utf16Case{"CountOf65534", Join({Hex("FF FE FF FF FE FF"), Units(65534)}), Letters(65534)},
        Utf16Case{"HugeCount", Join({Hex("FF FE FF FF FF FF 70 11 01 00"), Units(70000)}),
                  Letters(70000)}),
    [](const ::testing::TestParamInfo<Utf16Case>& info) { return info.param.name; });

TEST(MenuArchiveUtf16Menu, SiteStoredAsUtf16ReadsAsAnsiText) {
    FakePlatform fake;
    const Bytes bytes =
        Join({MenuHead(1), NewClass("CMenuSite"), Hex("FF FE FF 03 4E 00 65 00 77 00"),
              ShortString("news.htm"), U32(1001)});
    const ArchiveReadResult result = ReadMenuArchive(bytes.data(), bytes.size());
    ASSERT_EQ(ArchiveError::none, result.error);
    ASSERT_EQ(1u, result.menu->m_rootPopUp.m_arrChildren.size());
    EXPECT_EQ("New", result.menu->m_rootPopUp.m_arrChildren[0]->m_strCaption);
}

TEST(MenuArchiveUtf16Menu, WriterNeverUsesTheMarker) {
    FakePlatform fake;
    CMenuData menu;
    menu.m_rootPopUp.m_strCaption = std::string(65534, '\xFE');
    EXPECT_EQ(Hex("FF FF FF FE FF 00 00"), RootCaptionStart(WriteMenuArchive(menu), 7));
}

} // namespace
