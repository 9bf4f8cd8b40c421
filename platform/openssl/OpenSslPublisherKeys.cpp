#include "platform/PublisherKeys.h"
#include "platform/openssl/OpenSslHandles.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#include <openssl/param_build.h>

#include <vector>

namespace {

using ParamBuilder = std::unique_ptr<OSSL_PARAM_BLD, Deleter<OSSL_PARAM_BLD, OSSL_PARAM_BLD_free>>;
using Params = std::unique_ptr<OSSL_PARAM, Deleter<OSSL_PARAM, OSSL_PARAM_free>>;
using Number = std::unique_ptr<BIGNUM, Deleter<BIGNUM, BN_free>>;

Key PrivateKey(const PublisherKeyPair& pair) {
    const Number secret(BN_bin2bn(pair.secret.data(), int(pair.secret.size()), nullptr));
    const ParamBuilder builder(OSSL_PARAM_BLD_new());
    if (!secret || !builder ||
        OSSL_PARAM_BLD_push_utf8_string(builder.get(), OSSL_PKEY_PARAM_GROUP_NAME, "prime256v1",
                                        0) != 1 ||
        OSSL_PARAM_BLD_push_BN(builder.get(), OSSL_PKEY_PARAM_PRIV_KEY, secret.get()) != 1 ||
        OSSL_PARAM_BLD_push_octet_string(builder.get(), OSSL_PKEY_PARAM_PUB_KEY, pair.point.data(),
                                         pair.point.size()) != 1)
        return nullptr;
    const Params params(OSSL_PARAM_BLD_to_param(builder.get()));
    const KeyContext context(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
    EVP_PKEY* key = nullptr;
    if (!params || !context || EVP_PKEY_fromdata_init(context.get()) != 1 ||
        EVP_PKEY_fromdata(context.get(), &key, EVP_PKEY_KEYPAIR, params.get()) != 1)
        return nullptr;
    return Key(key);
}

} // namespace

bool GeneratePublisherKey(PublisherKeyPair& pair) {
    const Key key(EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"));
    BIGNUM* secret = nullptr;
    std::size_t pointSize = 0;
    const bool made =
        key && EVP_PKEY_get_bn_param(key.get(), OSSL_PKEY_PARAM_PRIV_KEY, &secret) == 1 &&
        BN_bn2binpad(secret, pair.secret.data(), int(pair.secret.size())) == 32 &&
        EVP_PKEY_get_octet_string_param(key.get(), OSSL_PKEY_PARAM_PUB_KEY, pair.point.data(),
                                        pair.point.size(), &pointSize) == 1 &&
        pointSize == pair.point.size();
    BN_clear_free(secret);
    return made;
}

bool SignAsPublisher(const PublisherKeyPair& pair, std::string_view bytes,
                     MenuSignature& signature) {
    const Key key = PrivateKey(pair);
    const Digest digest(EVP_MD_CTX_new());
    std::size_t size = 0;
    if (!key || !digest ||
        EVP_DigestSignInit(digest.get(), nullptr, EVP_sha256(), nullptr, key.get()) != 1 ||
        EVP_DigestSign(digest.get(), nullptr, &size,
                       reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) != 1)
        return false;
    std::vector<unsigned char> der(size);
    if (EVP_DigestSign(digest.get(), der.data(), &size,
                       reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) != 1)
        return false;
    // OpenSSL writes DER; the signature line holds r and s as they are.
    const unsigned char* at = der.data();
    const Signature rs(d2i_ECDSA_SIG(nullptr, &at, long(size)));
    return rs && BN_bn2binpad(ECDSA_SIG_get0_r(rs.get()), signature.data(), 32) == 32 &&
           BN_bn2binpad(ECDSA_SIG_get0_s(rs.get()), signature.data() + 32, 32) == 32;
}
