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
}

FakePlatform::~FakePlatform() {
    Provide<MenuService>(nullptr);
    Provide<MessageService>(nullptr);
    Provide<TextService>(nullptr);
    Provide<RegistryService>(nullptr);
    Provide<ClockService>(nullptr);
    Provide<DialogService>(nullptr);
    Provide<ProgramService>(nullptr);
}
