#pragma once

#include "tests/fake/CallLog.h"
#include "tests/fake/FakeClock.h"
#include "tests/fake/FakeDialogs.h"
#include "tests/fake/FakeHttp.h"
#include "tests/fake/FakeMenus.h"
#include "tests/fake/FakeMessages.h"
#include "tests/fake/FakeModelessDialogs.h"
#include "tests/fake/FakeProgram.h"
#include "tests/fake/FakeRegistry.h"
#include "tests/fake/FakeShell.h"
#include "tests/fake/FakeText.h"
#include "tests/fake/FakeTimers.h"
#include "tests/fake/FakeTray.h"
#include "tests/fake/FakeWindow.h"

// The whole fake platform. Constructing one provides every fake service to the
// program; destroying it withdraws them. One instance per test.
class FakePlatform {
public:
    FakePlatform();
    ~FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    CallLog log;
    FakeMenus menus{log};
    FakeMessages messages{log};
    FakeText text{log};
    FakeRegistry registry{log};
    FakeClock clock;
    FakeDialogs dialogs{log};
    FakeProgram program;
    FakeWindow window{log};
    FakeTimers timers{log};
    FakeTray tray{log};
    FakeShell shell{log};
    FakeHttp http{log};
    FakeModelessDialogs modeless{log};
};
