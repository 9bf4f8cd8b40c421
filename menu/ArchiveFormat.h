#pragma once

#include <cstdint>

// The tag and length values that writer and reader of the stored menu share.
namespace archive_format {

constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;          // + class index
constexpr std::uint16_t kLargeTag = 0x7FFF;          // a u32 tag follows
constexpr std::uint32_t kLargeClassTag = 0x80000000; // + class index, in a u32 tag
constexpr std::uint32_t kMaxShortIndex = 0x7FFE;

constexpr std::uint8_t kLongLength = 0xFF;     // a u16 length follows
constexpr std::uint16_t kUtf16Marker = 0xFFFE; // after kLongLength, reading only
constexpr std::uint16_t kHugeLength = 0xFFFF;  // after kLongLength: a u32 length follows

constexpr std::uint16_t kMenuDataVersion = 1;
constexpr std::uint16_t kMaxClassNameLength = 63;

} // namespace archive_format
