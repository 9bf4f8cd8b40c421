#include "browser/BrowserLauncher.h"

#include "browser/BrowserAddress.h"
#include "platform/MessageService.h"
#include "platform/RegistryText.h"
#include "platform/Services.h"
#include "platform/ShellService.h"
#include "res/resource.h"

namespace {

bool Fail(unsigned stringId) {
    Use<MessageService>().ShowMessage(stringId, MessageService::kIconStop);
    return false;
}

} // namespace

bool GetOpenCommandForExtension(const std::string& extension, std::string& commandTemplate) {
    std::string fileType;
    if (!ReadRegistryText(RegistryRoot::ClassesRoot, extension, "", fileType) || fileType.empty())
        return false;
    std::string command;
    if (!ReadRegistryText(RegistryRoot::ClassesRoot, fileType + "\\shell\\open\\command", "",
                          command) ||
        command.empty())
        return false;
    commandTemplate = command;
    return true;
}

bool OpenUrlInBrowser(bool bNewWindow, const std::string& address) {
    const std::optional<std::string> webAddress = AddressToOpen(address);
    if (!webAddress)
        return Fail(IDS_BROWSER_FAILED);
    const std::string safeAddress = EncodeForCommandLine(*webAddress);
    ShellService& shell = Use<ShellService>();
    if (!bNewWindow)
        return shell.ShellOpen(safeAddress) || Fail(IDS_BROWSER_FAILED);

    std::string commandTemplate;
    if (!GetOpenCommandForExtension(".htm", commandTemplate) &&
        !GetOpenCommandForExtension(".html", commandTemplate))
        return Fail(IDS_BROWSER_NOT_FOUND);
    return shell.StartProcess(BuildBrowserCommandLine(commandTemplate, safeAddress)) ||
           Fail(IDS_BROWSER_FAILED);
}
