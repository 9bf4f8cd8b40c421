#pragma once

#include "platform/SignatureService.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The publisher's key and a menu's signature are each written as one line of base64. Blanks and
// line ends around it, as an editor or a policy value may leave them, are allowed; nothing else is.
std::optional<MenuPublicKey> ReadPublicKeyLine(std::string_view text);
std::optional<MenuSignature> ReadSignatureLine(std::string_view text);

// Menu numbers run round after 65535: a number is newer than the held one
// when it lies less than half the circle ahead of it.
bool IsNewerMenuNumber(std::uint16_t candidate, std::uint16_t held);
