#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The publisher's public key: an ECDSA P-256 point, uncompressed (0x04, X,
// Y). A signature: r and s of ECDSA over SHA-256 of the signed bytes, 32
// bytes each, big-endian.
using MenuPublicKey = std::array<std::uint8_t, 65>;
using MenuSignature = std::array<std::uint8_t, 64>;

// The system's own cryptography, which says whether bytes were signed with
// the private half of a key.
class SignatureService {
public:
    virtual ~SignatureService() = default;

    // False for a bad signature, and for a key that is no point of the curve.
    virtual bool Verify(const MenuPublicKey& key, const MenuSignature& signature,
                        std::string_view bytes) = 0;
};
