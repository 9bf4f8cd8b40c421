#include "platform/win32/Win32Signatures.h"

#include <windows.h>

#include <bcrypt.h>

#include <cstring>
#include <vector>

namespace {

// CNG's handles, each closed by its own call.
struct Algorithm {
    BCRYPT_ALG_HANDLE handle = nullptr;
    explicit Algorithm(LPCWSTR name) {
        if (!BCRYPT_SUCCESS(::BCryptOpenAlgorithmProvider(&handle, name, nullptr, 0)))
            handle = nullptr;
    }
    ~Algorithm() {
        if (handle != nullptr)
            ::BCryptCloseAlgorithmProvider(handle, 0);
    }
};
struct Key {
    BCRYPT_KEY_HANDLE handle = nullptr;
    ~Key() {
        if (handle != nullptr)
            ::BCryptDestroyKey(handle);
    }
};
struct Hash {
    BCRYPT_HASH_HANDLE handle = nullptr;
    ~Hash() {
        if (handle != nullptr)
            ::BCryptDestroyHash(handle);
    }
};

bool Sha256(std::string_view bytes, UCHAR (&digest)[32]) {
    const Algorithm sha256(BCRYPT_SHA256_ALGORITHM);
    Hash hash;
    return sha256.handle != nullptr &&
           BCRYPT_SUCCESS(
               ::BCryptCreateHash(sha256.handle, &hash.handle, nullptr, 0, nullptr, 0, 0)) &&
           BCRYPT_SUCCESS(::BCryptHashData(
               hash.handle, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())),
               static_cast<ULONG>(bytes.size()), 0)) &&
           BCRYPT_SUCCESS(::BCryptFinishHash(hash.handle, digest, sizeof digest, 0));
}

} // namespace

bool Win32Signatures::Verify(const MenuPublicKey& key, const MenuSignature& signature,
                             std::string_view bytes) {
    // The key blob: its header, then X and Y without the point's 0x04.
    std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + 64);
    const BCRYPT_ECCKEY_BLOB header = {BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
    std::memcpy(blob.data(), &header, sizeof header);
    std::memcpy(blob.data() + sizeof header, key.data() + 1, 64);
    UCHAR digest[32];
    const Algorithm ecdsa(BCRYPT_ECDSA_P256_ALGORITHM);
    Key publicKey;
    MenuSignature rs = signature;
    return key[0] == 0x04 && Sha256(bytes, digest) && ecdsa.handle != nullptr &&
           BCRYPT_SUCCESS(::BCryptImportKeyPair(ecdsa.handle, nullptr, BCRYPT_ECCPUBLIC_BLOB,
                                                &publicKey.handle, blob.data(),
                                                static_cast<ULONG>(blob.size()), 0)) &&
           ::BCryptVerifySignature(publicKey.handle, nullptr, digest, sizeof digest, rs.data(),
                                   static_cast<ULONG>(rs.size()), 0) == 0;
}
