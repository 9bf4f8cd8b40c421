#pragma once

#include "app/SiteMenuApp.h"

// One busy period of the application, from construction to destruction, on
// every way out. Blinks the tray icon unless asked not to.
class CBusyScope {
public:
    explicit CBusyScope(bool bBlink = true) { theApp.BeginBusy(bBlink); }
    ~CBusyScope() { theApp.EndBusy(); }
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;
};
