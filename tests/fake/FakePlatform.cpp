#include "tests/fake/FakePlatform.h"

#include "platform/Services.h"

FakePlatform::FakePlatform() {
    Provide<MenuService>(&menus);
    Provide<MessageService>(&messages);
    Provide<TextService>(&text);
    Provide<RegistryService>(&registry);
    Provide<ClockService>(&clock);
    Provide<DialogService>(&dialogs);
    Provide<ProgramService>(&program);
    Provide<WindowService>(&window);
    Provide<TimerService>(&timers);
    Provide<TrayService>(&tray);
    Provide<ShellService>(&shell);
    Provide<HttpService>(&http);
    Provide<ModelessDialogService>(&modeless);
}

FakePlatform::~FakePlatform() {
    Provide<MenuService>(nullptr);
    Provide<MessageService>(nullptr);
    Provide<TextService>(nullptr);
    Provide<RegistryService>(nullptr);
    Provide<ClockService>(nullptr);
    Provide<DialogService>(nullptr);
    Provide<ProgramService>(nullptr);
    Provide<WindowService>(nullptr);
    Provide<TimerService>(nullptr);
    Provide<TrayService>(nullptr);
    Provide<ShellService>(nullptr);
    Provide<HttpService>(nullptr);
    Provide<ModelessDialogService>(nullptr);
}
