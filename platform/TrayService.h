#pragma once

#include "platform/WindowService.h"

#include <string>

// The system headers define LoadIcon as a macro for their character sets; the
// program never uses it, and where they come first it would rename the
// operation below.
#ifdef LoadIcon
#undef LoadIcon
#endif

// Opaque handle of an icon loaded from the program's resources.
struct IconHandleTag;
using IconHandle = IconHandleTag*;

// The notification-area icon. The record mirrors what the shell keeps for one
// icon: the program fills it and hands it over whole with every call. The
// shell tells icons apart by window and identifier, so every change and the
// delete must name the window the icon was added with, even once that window
// is gone.
struct TrayIconRecord {
    static constexpr unsigned kMessage = 0x1; // callback message set
    static constexpr unsigned kIcon = 0x2;    // image set
    static constexpr unsigned kTip = 0x4;     // tooltip set

    WindowHandle window = nullptr;
    unsigned iconId = 0;
    unsigned flags = 0;
    unsigned callbackMessage = 0;
    IconHandle icon = nullptr;
    std::string tip; // at most 63 characters
};

class TrayService {
public:
    virtual ~TrayService() = default;

    virtual IconHandle LoadIcon(unsigned resourceId) = 0;
    // The record's callback message is delivered to the hidden window as
    // WindowEvents::OnTrayNotify.
    virtual bool AddIcon(const TrayIconRecord& record) = 0;
    virtual bool ModifyIcon(const TrayIconRecord& record) = 0;
    virtual bool DeleteIcon(const TrayIconRecord& record) = 0;
};
