#include "platform/win32/Win32Menus.h"
#include "platform/win32/Win32Timers.h"
#include "platform/win32/Win32Window.h"
#include "tests/win32/QuietEvents.h"
#include "tests/win32/ServiceChecks.h"

namespace {

// Closes a tracked menu from inside its loop.
class MenuCloser : public TimerSink {
public:
    void OnTimer(unsigned) override {
        ++ticks;
        ::EndMenu();
    }
    int ticks = 0;
};

} // namespace

void CheckMenus(CheckList& checks) {
    Win32Window window;
    QuietEvents events;
    window.CreateHiddenWindow("Vellinor1", events);
    Win32Menus menus(window);

    const MenuHandle outer = menus.CreatePopupMenu();
    const MenuHandle popUp = menus.CreatePopupMenu();
    const MenuHandle more = menus.CreatePopupMenu();
    checks.Expect(outer != nullptr && popUp != nullptr && more != nullptr, "menus are created");
    checks.Expect(menus.AppendCommand(popUp, 1001, "&First") && menus.AppendSeparator(popUp) &&
                      menus.AppendSubMenu(popUp, more, "&More") &&
                      menus.AppendCommand(more, 1002, "Second") &&
                      menus.AppendSubMenu(outer, popUp, "Sites"),
                  "items are appended");
    checks.Expect(menus.GetSubMenu(outer, 0) == popUp && menus.GetSubMenu(popUp, 2) == more,
                  "sub-menus are found by position");
    checks.Expect(menus.GetSubMenu(popUp, 0) == nullptr, "a command is no sub-menu");
    checks.Expect(menus.GetItemId(popUp, 0) == 1001, "a command's identifier");
    checks.Expect(menus.GetItemId(popUp, 1) == 0, "a separator's identifier is 0");
    checks.Expect(menus.GetItemId(popUp, 2) == -1, "a sub-menu's identifier is -1");
    checks.Expect(menus.GetItemId(popUp, 9) == -1, "no item gives -1");
    menus.SetDefaultItem(popUp, 0);
    checks.Expect(::GetMenuDefaultItem(reinterpret_cast<HMENU>(popUp), TRUE, 0) == 0,
                  "the first item is the default");

    Win32Timers timers;
    MenuCloser closer;
    timers.SetSink(&closer);
    const unsigned timer = timers.StartTimer(1, 100);
    window.SetForegroundToHiddenWindow();
    menus.TrackAtCursor(popUp);
    timers.StopTimer(timer);
    checks.Expect(closer.ticks >= 1, "timers tick while a menu is tracked");

    menus.DestroyMenu(outer);
    checks.Expect(!::IsMenu(reinterpret_cast<HMENU>(popUp)) &&
                      !::IsMenu(reinterpret_cast<HMENU>(more)),
                  "destroying the outer menu destroys its sub-menus");
    window.DestroyHiddenWindow();
}
