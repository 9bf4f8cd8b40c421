#pragma once

#include "platform/SignatureService.h"

#include <array>
#include <cstdint>
#include <string_view>

// A publisher's key pair: the private scalar, big-endian, and the public
// point it makes.
struct PublisherKeyPair {
    std::array<std::uint8_t, 32> secret{};
    MenuPublicKey point{};
};

// The publisher's side, with the system's own cryptography: only the maker's
// tool makes keys and signs. Each is false when the system could not.
bool GeneratePublisherKey(PublisherKeyPair& pair);
bool SignAsPublisher(const PublisherKeyPair& pair, std::string_view bytes,
                     MenuSignature& signature);
