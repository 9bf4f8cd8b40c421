#include "platform/openssl/OpenSslSignatures.h"
#include "platform/openssl/OpenSslHandles.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#include <openssl/param_build.h>

#include <vector>

namespace {

Key PublicKey(const MenuPublicKey& point) {
    char group[] = "prime256v1";
    const OSSL_PARAM params[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_PKEY_PARAM_GROUP_NAME, group, 0),
        OSSL_PARAM_construct_octet_string(OSSL_PKEY_PARAM_PUB_KEY,
                                          const_cast<std::uint8_t*>(point.data()), point.size()),
        OSSL_PARAM_construct_end()};
    const KeyContext context(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
    EVP_PKEY* key = nullptr;
    if (!context || EVP_PKEY_fromdata_init(context.get()) != 1 ||
        EVP_PKEY_fromdata(context.get(), &key, EVP_PKEY_PUBLIC_KEY,
                          const_cast<OSSL_PARAM*>(params)) != 1)
        return nullptr;
    return Key(key);
}

// OpenSSL takes a signature in DER, where CNG takes r and s as they are.
std::vector<unsigned char> DerSignature(const MenuSignature& rs) {
    const Signature signature(ECDSA_SIG_new());
    BIGNUM* r = BN_bin2bn(rs.data(), 32, nullptr);
    BIGNUM* s = BN_bin2bn(rs.data() + 32, 32, nullptr);
    if (!signature || r == nullptr || s == nullptr || ECDSA_SIG_set0(signature.get(), r, s) != 1) {
        BN_free(r), BN_free(s);
        return {};
    }
    std::vector<unsigned char> der(
        static_cast<std::size_t>(i2d_ECDSA_SIG(signature.get(), nullptr)));
    unsigned char* end = der.data();
    i2d_ECDSA_SIG(signature.get(), &end);
    return der;
}

} // namespace

bool OpenSslSignatures::Verify(const MenuPublicKey& key, const MenuSignature& signature,
                               std::string_view bytes) {
    const Key publicKey = PublicKey(key);
    const std::vector<unsigned char> der = DerSignature(signature);
    const Digest digest(EVP_MD_CTX_new());
    return publicKey && !der.empty() && digest &&
           EVP_DigestVerifyInit(digest.get(), nullptr, EVP_sha256(), nullptr, publicKey.get()) ==
               1 &&
           EVP_DigestVerify(digest.get(), der.data(), der.size(),
                            reinterpret_cast<const unsigned char*>(bytes.data()),
                            bytes.size()) == 1;
}
