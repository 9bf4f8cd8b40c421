#pragma once

#include "platform/SignatureService.h"
#include "platform/win32/SystemLibrary.h"

#include <windows.h>

#include <bcrypt.h>

#include <cstdint>
#include <string_view>
#include <vector>

// CNG's handles, each closed by its own call. Every use of CNG opens an
// algorithm first, so that is where its library is asked for: without it no
// signature is made or found good.
struct CngAlgorithm {
    BCRYPT_ALG_HANDLE handle = nullptr;
    explicit CngAlgorithm(LPCWSTR name) {
        if (LoadSystemLibrary("bcrypt.dll") == nullptr ||
            !BCRYPT_SUCCESS(::BCryptOpenAlgorithmProvider(&handle, name, nullptr, 0)))
            handle = nullptr;
    }
    ~CngAlgorithm() {
        if (handle != nullptr)
            ::BCryptCloseAlgorithmProvider(handle, 0);
    }
};
struct CngKey {
    BCRYPT_KEY_HANDLE handle = nullptr;
    ~CngKey() {
        if (handle != nullptr)
            ::BCryptDestroyKey(handle);
    }
};

bool Sha256(std::string_view bytes, UCHAR (&digest)[32]);

// A P-256 key as CNG imports it: the header, X and Y without the point's
// 0x04, then the private scalar for a private key (none when null).
std::vector<UCHAR> EccKeyBlob(const MenuPublicKey& point, const std::uint8_t* secret);
