#include "tests/fake/FakePlatform.h"

#include "platform/Services.h"

FakePlatform::FakePlatform() {
    Provide<MenuService>(&menus);
    Provide<MessageService>(&messages);
    Provide<TextService>(&text);
}

FakePlatform::~FakePlatform() {
    Provide<MenuService>(nullptr);
    Provide<MessageService>(nullptr);
    Provide<TextService>(nullptr);
}
