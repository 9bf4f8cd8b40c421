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
    for (std::string pair; in >> pair;)
        bytes.push_back(static_cast<std::uint8_t>(std::strtoul(pair.c_str(), nullptr, 16)));
    return bytes;
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes bytes;
    for (const Bytes& part : parts)
        bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

inline Bytes U32(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

// A string in its one-byte length form.
inline Bytes ShortString(const std::string& text) {
    return Join({{static_cast<std::uint8_t>(text.size())}, Bytes(text.begin(), text.end())});
}

// A class description introduced by the new-class tag; names are short.
inline Bytes NewClass(const std::string& name, std::uint8_t schema = 1) {
    return Join({Hex("FF FF"),
                 {schema, 0, static_cast<std::uint8_t>(name.size()), 0},
                 Bytes(name.begin(), name.end())});
}
