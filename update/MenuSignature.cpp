#include "update/MenuSignature.h"

#include "update/Base64Text.h"

#include <algorithm>

namespace {

std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

template <std::size_t Size>
std::optional<std::array<std::uint8_t, Size>> ReadLine(std::string_view text) {
    const auto bytes = DecodeBase64(Trimmed(text));
    if (!bytes || bytes->size() != Size)
        return std::nullopt;
    std::array<std::uint8_t, Size> value{};
    std::copy(bytes->begin(), bytes->end(), value.begin());
    return value;
}

} // namespace

std::optional<MenuPublicKey> ReadPublicKeyLine(std::string_view text) {
    const auto key = ReadLine<65>(text);
    if (!key || (*key)[0] != 0x04)
        return std::nullopt;
    return key;
}

std::optional<MenuSignature> ReadSignatureLine(std::string_view text) {
    return ReadLine<64>(text);
}

bool IsNewerMenuNumber(std::uint16_t candidate, std::uint16_t held) {
    const auto ahead = static_cast<std::uint16_t>(candidate - held);
    return ahead >= 1 && ahead <= 32767;
}
