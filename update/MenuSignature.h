#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The publisher's public key: an ECDSA P-256 point, uncompressed (0x04, X,
// Y). A signature: r and s of ECDSA over SHA-256 of the menu file's bytes,
// 32 bytes each.
using MenuPublicKey = std::array<std::uint8_t, 65>;
using MenuSignature = std::array<std::uint8_t, 64>;

// Each is written as one line of base64. Blanks and line ends around it, as
// an editor or a policy value may leave them, are allowed; nothing else is.
std::optional<MenuPublicKey> ReadPublicKeyLine(std::string_view text);
std::optional<MenuSignature> ReadSignatureLine(std::string_view text);

// Menu numbers run round after 65535: a number is newer than the held one
// when it lies less than half the circle ahead of it.
bool IsNewerMenuNumber(std::uint16_t candidate, std::uint16_t held);
