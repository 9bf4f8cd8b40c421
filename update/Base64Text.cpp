#include "update/Base64Text.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int DigitValue(char c) {
    for (int value = 0; value < 64; ++value)
        if (kAlphabet[value] == c)
            return value;
    return -1;
}

} // namespace

std::string EncodeBase64(const std::uint8_t* bytes, std::size_t size) {
    std::string text;
    for (std::size_t at = 0; at < size; at += 3) {
        const std::size_t taken = size - at < 3 ? size - at : 3;
        std::uint32_t group = 0;
        for (std::size_t i = 0; i < 3; ++i)
            group = group << 8 | (i < taken ? bytes[at + i] : 0);
        for (std::size_t i = 0; i < 4; ++i)
            text += i <= taken ? kAlphabet[(group >> (18 - 6 * i)) & 0x3F] : '=';
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text) {
    if (text.size() % 4 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t at = 0; at < text.size(); at += 4) {
        const bool last = at + 4 == text.size();
        // Padding only at the very end, "xx==" or "xxx=": an '=' anywhere
        // else is no digit.
        const std::size_t padding = last ? (text[at + 3] == '=') + (text[at + 2] == '=') : 0;
        std::uint32_t group = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const int value = i < 4 - padding ? DigitValue(text[at + i]) : 0;
            if (value < 0)
                return std::nullopt;
            group = group << 6 | static_cast<std::uint32_t>(value);
        }
        // The bits an encoder pads with are zero: one text for one value.
        if ((padding == 1 && (group & 0xFF) != 0) || (padding == 2 && (group & 0xFFFF) != 0))
            return std::nullopt;
        for (std::size_t i = 0; i < 3 - padding; ++i)
            bytes.push_back(static_cast<std::uint8_t>(group >> (16 - 8 * i)));
    }
    return bytes;
}
