#include "menu/Utf8Text.h"

#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Reads the character at text[index] and moves index past it; a malformed
// sequence gives kReplacement and is skipped up to the byte that broke it.
char32_t DecodeOne(std::string_view text, std::size_t& index, bool& valid) {
    const auto lead = static_cast<std::uint8_t>(text[index++]);
    valid = true;
    if (lead < 0x80)
        return lead;
    std::size_t more = 0;
    char32_t code = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1;
        code = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2;
        code = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3;
        code = lead & 0x07;
        smallest = 0x10000;
    } else {
        valid = false;
        return kReplacement;
    }
    for (; more > 0; --more) {
        if (index >= text.size() || (static_cast<std::uint8_t>(text[index]) & 0xC0) != 0x80) {
            valid = false;
            return kReplacement;
        }
        code = (code << 6) | (static_cast<std::uint8_t>(text[index++]) & 0x3F);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        valid = false;
        return kReplacement;
    }
    return code;
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    bool valid = true;
    for (std::size_t index = 0; index < text.size();) {
        const char32_t code = DecodeOne(text, index, valid);
        if (code < 0x10000) {
            units.push_back(static_cast<char16_t>(code));
        } else {
            units.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        }
    }
    return units;
}

bool IsValidUtf8(std::string_view text) {
    bool valid = true;
    for (std::size_t index = 0; index < text.size() && valid;)
        DecodeOne(text, index, valid);
    return valid;
}
