#pragma once

#include "platform/SignatureService.h"

// Verification with OpenSSL, for the builds that run off Windows: the
// maker's tool and the unit tests check signatures as the program does.
class OpenSslSignatures : public SignatureService {
public:
    bool Verify(const MenuPublicKey& key, const MenuSignature& signature,
                std::string_view bytes) override;
};
