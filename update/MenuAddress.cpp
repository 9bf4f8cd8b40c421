#include "update/MenuAddress.h"

#include "browser/BrowserAddress.h"
#include "platform/RegistryText.h"

std::string MenuAddress() {
    std::string address;
    if (ReadRegistryText(RegistryRoot::LocalMachine, "Software\\Policies\\Vellinor", "MenuUrl",
                         address) &&
        IsHttpAddress(address))
        return address;
    return VELLINOR_MENU_URL;
}
