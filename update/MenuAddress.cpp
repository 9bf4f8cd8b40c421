#include "update/MenuAddress.h"

#include "platform/RegistryText.h"

std::string MenuAddress() {
    std::string address;
    if (ReadRegistryText(RegistryRoot::LocalMachine, "Software\\Policies\\Vellinor", "MenuUrl",
                         address) &&
        !address.empty())
        return address;
    return VELLINOR_MENU_URL;
}
