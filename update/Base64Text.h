#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Base64 as keys and signatures are written: the standard alphabet, padded
// with '=' to whole groups of four, no line breaks.
std::string EncodeBase64(const std::uint8_t* bytes, std::size_t size);

// The bytes of such a text; none when it is anything else (another
// alphabet, a blank or a line break inside, a missing or misplaced '=', or
// bits left over that an encoder would have written as zero).
std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text);
