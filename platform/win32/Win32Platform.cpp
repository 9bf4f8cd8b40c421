#include "platform/win32/Win32Platform.h"

#include "platform/Services.h"

Win32Platform::Win32Platform() {
    Provide<ProgramService>(&m_program);
    Provide<TextService>(&m_text);
    Provide<ClockService>(&m_clock);
    Provide<RegistryService>(&m_registry);
    Provide<HttpService>(&m_http);
    Provide<SignatureService>(&m_signatures);
    Provide<WindowService>(&m_window);
    Provide<TimerService>(&m_timers);
    Provide<TrayService>(&m_tray);
    Provide<MenuService>(&m_menus);
    Provide<DialogService>(&m_dialogs);
    Provide<ModelessDialogService>(&m_modelessDialogs);
    Provide<MessageService>(&m_messages);
    Provide<ShellService>(&m_shell);
}

Win32Platform::~Win32Platform() {
    Provide<ShellService>(nullptr);
    Provide<MessageService>(nullptr);
    Provide<ModelessDialogService>(nullptr);
    Provide<DialogService>(nullptr);
    Provide<MenuService>(nullptr);
    Provide<TrayService>(nullptr);
    Provide<TimerService>(nullptr);
    Provide<WindowService>(nullptr);
    Provide<SignatureService>(nullptr);
    Provide<HttpService>(nullptr);
    Provide<RegistryService>(nullptr);
    Provide<ClockService>(nullptr);
    Provide<TextService>(nullptr);
    Provide<ProgramService>(nullptr);
}
