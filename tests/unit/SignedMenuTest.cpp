// A check with the publisher's key set: the menu and the signature beside it.
#include "tests/unit/AppFixture.h"
#include "update/MenuAddress.h"
#include "update/MenuSignature.h"
#include "update/PolicyNames.h"

namespace {

// Made once with openssl: the key's point, and its signature of the menu.
const char kKey[] =
    "BEPWVd+xFaMSz59WVSi38nQ+VDHmpgjG0i+oC8uC8vJqSjrqQr9hVrIV8czaWof2tsE+A1R5BJSVEVibDM146a4=";
const std::string kSigned = "1\n2.1.2.5\n7\nBEGIN Sites\nNews\tnews.example\nEND\n";
const char kSignature[] =
    "q/u1TpAr+wJTQVDRYb59zABSwy09ci1P5sC7k+ea+pyz7uHPoqqR5Sico6S3cxb3Bc4iJdkCK4S+4MKbTcpeGg==";

TEST(MenuSignatureCheck, OnlyTheKeysSignatureOfTheseBytesIsGood) {
    FakePlatform fake;
    const MenuPublicKey key = *ReadPublicKeyLine(kKey);
    const MenuSignature signature = *ReadSignatureLine(kSignature);
    SignatureService& check = Use<SignatureService>();
    EXPECT_TRUE(check.Verify(key, signature, kSigned));
    std::string changed = kSigned;
    changed[6] = '6';
    EXPECT_FALSE(check.Verify(key, signature, changed));
    MenuSignature other = signature;
    other[63] ^= 1;
    EXPECT_FALSE(check.Verify(key, other, kSigned));
    MenuPublicKey offTheCurve = key;
    offTheCurve[64] ^= 1;
    EXPECT_FALSE(check.Verify(offTheCurve, signature, kSigned));
}

// The menu served is numbered 7; the held one, if any, has the number given.
TEST_F(AppTest, OnlyAMenuItsPublisherSignedAndNewerThanTheHeldOneInstalls) {
    std::string changed = kSigned, flipped = kSignature;
    changed.insert(changed.find("END"), "Evil\tevil.example\n"), flipped[5] ^= 1;
    const std::string signatureAddress = MenuAddress() + ".sig";
    // Name, key policies (computer's, user's; "-" none), the menu served, its
    // signature file (nullptr: none there), the number held (-1: no usable
    // menu), and the message then shown.
    const std::tuple<const char*, const char*, const char*, std::string, const char*, int, unsigned>
        rows[] = {
            {"Signed", kKey, "-", kSigned, kSignature, 4, IDS_NEW_MENU_LOADED},
            {"ByTheUsersKey", "-", kKey, changed, kSignature, 4, IDS_NOT_SIGNED},
            {"ComputersKeyFirst", kKey, "AAAA", kSigned, kSignature, 4, IDS_NEW_MENU_LOADED},
            {"AByteChanged", kKey, "-", changed, kSignature, 4, IDS_NOT_SIGNED},
            {"NoSignature", kKey, "-", kSigned, nullptr, 4, IDS_NOT_SIGNED},
            {"AnotherSignature", kKey, "-", kSigned, flipped.c_str(), 4, IDS_NOT_SIGNED},
            {"SignatureUnreadable", kKey, "-", kSigned, "signed, honestly", 4, IDS_NOT_SIGNED},
            {"KeyUnreadable", "not a key", "-", kSigned, kSignature, 4, IDS_NOT_SIGNED},
            {"OlderThanTheHeld", kKey, "-", kSigned, kSignature, 8, IDS_NO_NEW_MENU},
            {"NewerPastTheWrap", kKey, "-", kSigned, kSignature, 65530, IDS_NEW_MENU_LOADED},
            {"NothingHeld", kKey, "-", kSigned, kSignature, -1, IDS_NEW_MENU_LOADED},
            {"NoKeyNoCheck", "-", "-", changed, nullptr, 8, IDS_NEW_MENU_LOADED}};
    for (const auto& [name, computers, users, menu, signature, held, message] : rows) {
        SCOPED_TRACE(name);
        for (const auto& [root, key] : {std::pair(RegistryRoot::LocalMachine, computers),
                                        std::pair(RegistryRoot::CurrentUser, users)}) {
            if (std::string(key) == "-")
                fake.registry.Key(root, kPolicyKey).erase(kMenuPublicKeyValue);
            else
                fake.registry.Key(root, kPolicyKey).SetString(kMenuPublicKeyValue, key);
        }
        fake.http.next = {menu};
        fake.http.at.clear();
        if (signature != nullptr)
            fake.http.at[signatureAddress] = {signature};
        else
            fake.http.at[signatureAddress] = {kSignature, 404}; // an error page is none
        fake.messages.shown.clear();
        g_settings.m_timeLastQuery = kStart, fake.clock.now = kStart + 1000;
        CMenuData fresh;
        EXPECT_EQ(message == IDS_NEW_MENU_LOADED,
                  fresh.UpdateFromServer(held < 0 ? 0 : held, held >= 0));
        EXPECT_EQ((Shown{{message, message == IDS_NOT_SIGNED ? kStop : 0x40u}}),
                  fake.messages.shown);
        EXPECT_EQ(message == IDS_NOT_SIGNED ? kStart : kStart + 1000, g_settings.m_timeLastQuery);
    }
}

} // namespace
