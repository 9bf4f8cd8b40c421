#include "platform/win32/CngHandles.h"

#include <cstring>

namespace {

struct CngHash {
    BCRYPT_HASH_HANDLE handle = nullptr;
    ~CngHash() {
        if (handle != nullptr)
            ::BCryptDestroyHash(handle);
    }
};

} // namespace

bool Sha256(std::string_view bytes, UCHAR (&digest)[32]) {
    const CngAlgorithm sha256(BCRYPT_SHA256_ALGORITHM);
    CngHash hash;
    return sha256.handle != nullptr &&
           BCRYPT_SUCCESS(
               ::BCryptCreateHash(sha256.handle, &hash.handle, nullptr, 0, nullptr, 0, 0)) &&
           BCRYPT_SUCCESS(::BCryptHashData(
               hash.handle, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())),
               static_cast<ULONG>(bytes.size()), 0)) &&
           BCRYPT_SUCCESS(::BCryptFinishHash(hash.handle, digest, sizeof digest, 0));
}

std::vector<UCHAR> EccKeyBlob(const MenuPublicKey& point, const std::uint8_t* secret) {
    const BCRYPT_ECCKEY_BLOB header = {secret != nullptr ? ULONG{BCRYPT_ECDSA_PRIVATE_P256_MAGIC}
                                                         : ULONG{BCRYPT_ECDSA_PUBLIC_P256_MAGIC},
                                       32};
    std::vector<UCHAR> blob(sizeof header + 64 + (secret != nullptr ? 32 : 0));
    std::memcpy(blob.data(), &header, sizeof header);
    std::memcpy(blob.data() + sizeof header, point.data() + 1, 64);
    if (secret != nullptr)
        std::memcpy(blob.data() + sizeof header + 64, secret, 32);
    return blob;
}
