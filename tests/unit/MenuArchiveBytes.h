#pragma once

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

// Hand-made stored menus for the archive tests, written the way the byte
// tables read: Hex("FF FF 01 00") and so on.
using Bytes = std::vector<std::uint8_t>;

inline Bytes Hex(const std::string& text) {
    Bytes bytes;
    std::istringstream in(text);
    std::string pair;
    while (in >> pair)
        bytes.push_back(static_cast<std::uint8_t>(std::strtoul(pair.c_str(), nullptr, 16)));
    return bytes;
}

// A string in its one-byte length form.
inline Bytes ShortString(const std::string& text) {
    Bytes bytes{static_cast<std::uint8_t>(text.size())};
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

inline Bytes U32(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// A class description introduced by the new-class tag.
inline Bytes NewClass(const std::string& name, std::uint16_t schema = 1) {
    Bytes bytes{0xFF,
                0xFF,
                static_cast<std::uint8_t>(schema),
                static_cast<std::uint8_t>(schema >> 8),
                static_cast<std::uint8_t>(name.size()),
                static_cast<std::uint8_t>(name.size() >> 8)};
    bytes.insert(bytes.end(), name.begin(), name.end());
    return bytes;
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes bytes;
    for (const Bytes& part : parts)
        bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

// The start of a stored menu up to the root's child count: class CMenuData
// (index 1), the menu (index 2), version 1, number 37, root caption "R".
inline Bytes MenuHead(std::uint32_t childCount) {
    return Join({NewClass("CMenuData"), Hex("01 00 25 00"), ShortString("R"), U32(childCount)});
}
