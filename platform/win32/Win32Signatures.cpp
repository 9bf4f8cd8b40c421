#include "platform/win32/Win32Signatures.h"
#include "platform/win32/CngHandles.h"

#include <vector>

bool Win32Signatures::Verify(const MenuPublicKey& key, const MenuSignature& signature,
                             std::string_view bytes) {
    const std::vector<UCHAR> blob = EccKeyBlob(key, nullptr);
    UCHAR digest[32];
    const CngAlgorithm ecdsa(BCRYPT_ECDSA_P256_ALGORITHM);
    CngKey publicKey;
    MenuSignature rs = signature;
    return key[0] == 0x04 && Sha256(bytes, digest) && ecdsa.handle != nullptr &&
           BCRYPT_SUCCESS(::BCryptImportKeyPair(ecdsa.handle, nullptr, BCRYPT_ECCPUBLIC_BLOB,
                                                &publicKey.handle, const_cast<PUCHAR>(blob.data()),
                                                static_cast<ULONG>(blob.size()), 0)) &&
           ::BCryptVerifySignature(publicKey.handle, nullptr, digest, sizeof digest, rs.data(),
                                   static_cast<ULONG>(rs.size()), 0) == 0;
}
