#include "platform/PublisherKeys.h"
#include "platform/win32/CngHandles.h"

#include <cstring>

bool GeneratePublisherKey(PublisherKeyPair& pair) {
    const CngAlgorithm ecdsa(BCRYPT_ECDSA_P256_ALGORITHM);
    CngKey key;
    std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + 96);
    ULONG size = 0;
    if (ecdsa.handle == nullptr ||
        !BCRYPT_SUCCESS(::BCryptGenerateKeyPair(ecdsa.handle, &key.handle, 256, 0)) ||
        !BCRYPT_SUCCESS(::BCryptFinalizeKeyPair(key.handle, 0)) ||
        !BCRYPT_SUCCESS(::BCryptExportKey(key.handle, nullptr, BCRYPT_ECCPRIVATE_BLOB, blob.data(),
                                          static_cast<ULONG>(blob.size()), &size, 0)) ||
        size != blob.size())
        return false;
    // The blob: its header, X, Y, then the private scalar.
    const UCHAR* values = blob.data() + sizeof(BCRYPT_ECCKEY_BLOB);
    pair.point[0] = 0x04;
    std::memcpy(pair.point.data() + 1, values, 64);
    std::memcpy(pair.secret.data(), values + 64, 32);
    return true;
}

bool SignAsPublisher(const PublisherKeyPair& pair, std::string_view bytes,
                     MenuSignature& signature) {
    const std::vector<UCHAR> blob = EccKeyBlob(pair.point, pair.secret.data());
    const CngAlgorithm ecdsa(BCRYPT_ECDSA_P256_ALGORITHM);
    CngKey key;
    UCHAR digest[32];
    ULONG size = 0;
    return Sha256(bytes, digest) && ecdsa.handle != nullptr &&
           BCRYPT_SUCCESS(::BCryptImportKeyPair(ecdsa.handle, nullptr, BCRYPT_ECCPRIVATE_BLOB,
                                                &key.handle, const_cast<PUCHAR>(blob.data()),
                                                static_cast<ULONG>(blob.size()), 0)) &&
           BCRYPT_SUCCESS(::BCryptSignHash(key.handle, nullptr, digest, sizeof digest,
                                           signature.data(), static_cast<ULONG>(signature.size()),
                                           &size, 0)) &&
           size == signature.size();
}
