#include "update/MenuAddress.h"

#include "browser/BrowserAddress.h"
#include "platform/RegistryText.h"
#include "update/PolicyNames.h"

std::string MenuAddress() {
    std::string address;
    if (ReadRegistryText(RegistryRoot::LocalMachine, kPolicyKey, kMenuUrlValue, address) &&
        IsHttpAddress(address))
        return address;
    // Computers set no address for every group of an organisation: each
    // group's users may have one of their own.
    if (ReadRegistryText(RegistryRoot::CurrentUser, kPolicyKey, kMenuUrlValue, address) &&
        IsHttpAddress(address))
        return address;
    return VELLINOR_MENU_URL;
}
