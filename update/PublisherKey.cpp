#include "update/PublisherKey.h"

#include "platform/RegistryText.h"
#include "update/MenuSignature.h"
#include "update/PolicyNames.h"

#include <string>

std::optional<PublisherKey> ConfiguredPublisherKey() {
    std::string text;
    if (!ReadRegistryText(RegistryRoot::LocalMachine, kPolicyKey, kMenuPublicKeyValue, text) &&
        !ReadRegistryText(RegistryRoot::CurrentUser, kPolicyKey, kMenuPublicKeyValue, text))
        text = VELLINOR_MENU_PUBLIC_KEY;
    if (text.empty())
        return std::nullopt;
    return PublisherKey{ReadPublicKeyLine(text)};
}
