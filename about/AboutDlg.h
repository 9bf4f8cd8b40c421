#pragma once

#include "app/BusyScope.h"
#include "platform/DialogService.h"

#include <string>

// The About box: the product name in its title face, the version, a copyright
// line, the maker's contact address and a button that opens the maker's web
// page while the box stays open. The tray icon blinks while it exists.
class CAboutDlg : public DialogHandler {
public:
    void OnInitDialog(DialogControls& controls) override;
    void OnCommand(int controlId, DialogControls& controls) override;

    // Opens the address the link button shows.
    void OnLinkButton(DialogControls& controls);

    std::string m_strEmail;
    CBusyScope m_busy;
};
