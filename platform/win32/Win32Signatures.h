#pragma once

#include "platform/SignatureService.h"

// Verification with CNG, the system's own cryptography.
class Win32Signatures : public SignatureService {
public:
    bool Verify(const MenuPublicKey& key, const MenuSignature& signature,
                std::string_view bytes) override;
};
