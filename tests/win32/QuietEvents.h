#pragma once

#include "platform/WindowService.h"

// A hidden window's events for checks that only need the window to exist.
class QuietEvents : public WindowEvents {
public:
    void OnTrayNotify(unsigned, unsigned) override {}
    bool OnCommand(int) override { return false; }
    void OnDestroy() override {}
    void OnTaskbarCreated() override {}
};
