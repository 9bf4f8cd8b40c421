#pragma once

#include "platform/win32/ComApartment.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Http.h"
#include "platform/win32/Win32Menus.h"
#include "platform/win32/Win32Messages.h"
#include "platform/win32/Win32ModelessDialogs.h"
#include "platform/win32/Win32Program.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Signatures.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32Timers.h"
#include "platform/win32/Win32Tray.h"
#include "platform/win32/Win32Window.h"

// The whole real platform. Constructing one provides every service to the
// program; destroying it withdraws them, so whatever still calls a service
// (the tray icon's removal) must have run before. One per process, on the GUI
// thread.
class Win32Platform {
public:
    Win32Platform();
    ~Win32Platform();
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

private:
    // First in, last out: every service may use COM through the shell, which
    // enters the apartment when it first needs it.
    ComApartment m_apartment;
    Win32Program m_program;
    Win32Text m_text;
    Win32Clock m_clock;
    Win32Registry m_registry;
    Win32Http m_http;
    Win32Signatures m_signatures;
    // The window before everything that is owned by it or aims at it.
    Win32Window m_window;
    Win32Timers m_timers;
    Win32Tray m_tray{m_window};
    Win32Menus m_menus{m_window};
    Win32Dialogs m_dialogs{m_window};
    Win32ModelessDialogs m_modelessDialogs{m_window};
    Win32Messages m_messages{m_window, m_program};
    Win32Shell m_shell{m_window, m_apartment};
};
