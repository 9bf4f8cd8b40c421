// The end-to-end tests' eyes and hands inside Wine's desktop: it finds the
// windows, dialogs, menus and tray icons of the program under test, reads
// their texts and places, and presses keys, printing what it finds for the
// test scripts. Run it in the same desktop as the program under test.
//
//   desktop-helper wait-window [--visible] [--class CLASS] TITLE SECONDS
//       waits until a top-level window TITLE ("*": any title) exists; prints
//       its place ("LEFT TOP WIDTH HEIGHT")
//   desktop-helper wait-no-window [--class CLASS] TITLE SECONDS
//       waits until no top-level window TITLE exists
//   desktop-helper controls [--quiet] TITLE SECONDS
//       waits for the visible dialog TITLE and prints its controls, one a line:
//       ID, class, place, state ("visible", "enabled", "checked", "default",
//       comma-separated) and text (none for a picture), separated by TABs;
//       the first line is the dialog itself, with ID 0 and the place of its
//       client area. --quiet sends the program no message, so that a dialog
//       whose thread is busy can be read at once: texts as the system keeps
//       them, and no "checked" (check marks show only on the screen)
//   desktop-helper menus COUNT SECONDS
//       waits until exactly COUNT pop-up menus are open; prints their places,
//       the first opened first
//   desktop-helper tray TIP COUNT SECONDS
//       waits until exactly COUNT notification-area icons have the tooltip TIP;
//       prints their places
//   desktop-helper tray-list
//       prints the place and tooltip of every notification-area icon
//   desktop-helper keys TITLE KEY...
//       brings the window TITLE to the front ("-": leaves the front alone) and
//       presses the keys one after the other
//   desktop-helper forget-icon TITLE ID
//       makes the shell drop the icon ID of the window TITLE, as a shell that
//       restarts does
//   desktop-helper close TITLE
//       asks the top-level window TITLE to close, as its close box would
//   desktop-helper broadcast MESSAGE-NAME
//       posts the registered message MESSAGE-NAME to every top-level window
//   desktop-helper stay
//       waits until it is ended, keeping the desktop open meanwhile
//
// Exit status: 0 when found or done, 1 when a wait ran out or nothing matched,
// 2 on a usage error.
#include "KeyInput.h"
#include "ProcessEnd.h"
#include "TrayIconList.h"
#include "WindowLookup.h"

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kDialogClass = "#32770";
constexpr const char* kMenuClass = "#32768";

int Usage() {
    std::fprintf(stderr, "usage: desktop-helper COMMAND ARGS... (see the source)\n");
    return 2;
}

double Seconds(const char* text) {
    return std::atof(text);
}

int WaitWindow(std::vector<std::string> args, bool present) {
    WindowQuery query;
    std::string className;
    while (args.size() > 2) {
        if (args[0] == "--visible") {
            query.visibleOnly = true;
            args.erase(args.begin());
        } else if (args[0] == "--class" && args.size() > 3) {
            className = args[1];
            args.erase(args.begin(), args.begin() + 2);
        } else {
            return Usage();
        }
    }
    if (args.size() != 2)
        return Usage();
    query.title = args[0] == "*" ? nullptr : args[0].c_str();
    query.className = className.empty() ? nullptr : className.c_str();
    HWND found = nullptr;
    const bool done = PollFor(Seconds(args[1].c_str()), [&] {
        found = FindTopLevel(query);
        return (found != nullptr) == present;
    });
    if (done && present)
        std::printf("%s\n", ScreenRectText(found).c_str());
    return done ? 0 : 1;
}

std::string ControlState(HWND control, bool quiet) {
    std::string state;
    const auto add = [&state](const char* word) {
        if (!state.empty())
            state += ',';
        state += word;
    };
    if (::IsWindowVisible(control))
        add("visible");
    if (::IsWindowEnabled(control))
        add("enabled");
    char className[64] = {};
    ::GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Button") == 0) {
        const LONG_PTR style = ::GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
        if (style == BS_DEFPUSHBUTTON)
            add("default");
        if (!quiet && ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
            add("checked");
    }
    return state.empty() ? "-" : state;
}

// The words a control shows; a picture's text only names its resource.
std::string ControlText(HWND control, const char* className, bool quiet) {
    const LONG_PTR kind = ::GetWindowLongPtrA(control, GWL_STYLE) & SS_TYPEMASK;
    if (lstrcmpiA(className, "Static") == 0 && (kind == SS_ICON || kind == SS_BITMAP))
        return {};
    return quiet ? KeptWindowText(control) : WindowText(control);
}

struct ControlListing {
    HWND dialog;
    bool quiet;
};

BOOL CALLBACK PrintControl(HWND control, LPARAM context) {
    const ControlListing& listing = *reinterpret_cast<const ControlListing*>(context);
    if (::GetParent(control) != listing.dialog)
        return TRUE; // a grandchild, such as the edit inside a combo box
    char className[64] = {};
    ::GetClassNameA(control, className, sizeof className);
    std::printf("%d\t%s\t%s\t%s\t%s\n", ::GetDlgCtrlID(control), className,
                ScreenRectText(control).c_str(), ControlState(control, listing.quiet).c_str(),
                ControlText(control, className, listing.quiet).c_str());
    return TRUE;
}

int Controls(std::vector<std::string> args) {
    WindowQuery query;
    if (args.size() == 3 && args[0] == "--quiet") {
        query.quiet = true;
        args.erase(args.begin());
    }
    if (args.size() != 2)
        return Usage();
    query.title = args[0].c_str();
    query.className = kDialogClass;
    query.visibleOnly = true;
    HWND dialog = nullptr;
    if (!PollFor(Seconds(args[1].c_str()),
                 [&] { return (dialog = FindTopLevel(query)) != nullptr; }))
        return 1;
    RECT client{};
    ::GetClientRect(dialog, &client);
    ::MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::printf("0\t%s\t%s\t%s\t%s\n", kDialogClass, RectText(client).c_str(),
                ::IsWindowEnabled(dialog) ? "visible,enabled" : "visible", query.title);
    ControlListing listing{dialog, query.quiet};
    ::EnumChildWindows(dialog, PrintControl, reinterpret_cast<LPARAM>(&listing));
    return 0;
}

int Menus(const char* count, const char* seconds) {
    WindowQuery query;
    query.className = kMenuClass;
    query.visibleOnly = true;
    const std::size_t wanted = static_cast<std::size_t>(std::atoi(count));
    std::vector<HWND> menus;
    if (!PollFor(Seconds(seconds), [&] {
            menus = FindAllTopLevel(query);
            return menus.size() == wanted;
        }))
        return 1;
    // A sub-menu opens above the menu it belongs to.
    for (HWND menu : menus)
        std::printf("%s\n", ScreenRectText(menu).c_str());
    return 0;
}

std::vector<ShownTrayIcon> IconsWithTip(const std::string& tip) {
    std::vector<ShownTrayIcon> icons;
    for (const ShownTrayIcon& icon : ListTrayIcons())
        if (icon.tip == tip)
            icons.push_back(icon);
    return icons;
}

int Tray(const std::string& tip, const char* count, const char* seconds) {
    const std::size_t wanted = static_cast<std::size_t>(std::atoi(count));
    std::vector<ShownTrayIcon> icons;
    if (!PollFor(Seconds(seconds), [&] {
            icons = IconsWithTip(tip);
            return icons.size() == wanted;
        }))
        return 1;
    for (const ShownTrayIcon& icon : icons)
        std::printf("%s\n", RectText(icon.place).c_str());
    return 0;
}

int TrayList() {
    for (const ShownTrayIcon& icon : ListTrayIcons())
        std::printf("%s\t%s\n", RectText(icon.place).c_str(), icon.tip.c_str());
    return 0;
}

int Keys(const std::vector<std::string>& args) {
    if (args[0] != "-") {
        WindowQuery query;
        query.title = args[0].c_str();
        const HWND window = FindTopLevel(query);
        if (window == nullptr)
            return 1;
        ::SetForegroundWindow(window);
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (!PressKey(args[i])) {
            std::fprintf(stderr, "unknown key: %s\n", args[i].c_str());
            return 2;
        }
        // Each key is taken from the queue by the window's own loop.
        ::Sleep(150);
    }
    return 0;
}

int ForgetIcon(const char* title, const char* id) {
    WindowQuery query;
    query.title = title;
    const HWND window = FindTopLevel(query);
    if (window == nullptr)
        return 1;
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = static_cast<UINT>(std::atoi(id));
    return ::Shell_NotifyIconA(NIM_DELETE, &data) ? 0 : 1;
}

int Close(const char* title) {
    WindowQuery query;
    query.title = title;
    const HWND window = FindTopLevel(query);
    return window != nullptr && ::PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
}

int Broadcast(const char* messageName) {
    const UINT message = ::RegisterWindowMessageA(messageName);
    return message != 0 && ::PostMessageA(HWND_BROADCAST, message, 0, 0) ? 0 : 1;
}

int Run(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "wait-window")
        return WaitWindow(args, true);
    if (command == "wait-no-window")
        return WaitWindow(args, false);
    if (command == "controls")
        return Controls(args);
    if (command == "menus" && args.size() == 2)
        return Menus(argv[2], argv[3]);
    if (command == "tray" && args.size() == 3)
        return Tray(args[0], argv[3], argv[4]);
    if (command == "tray-list" && args.empty())
        return TrayList();
    if (command == "keys" && !args.empty())
        return Keys(args);
    if (command == "forget-icon" && args.size() == 2)
        return ForgetIcon(argv[2], argv[3]);
    if (command == "close" && args.size() == 1)
        return Close(argv[2]);
    if (command == "broadcast" && args.size() == 1)
        return Broadcast(argv[2]);
    if (command == "stay" && args.empty()) {
        ::Sleep(INFINITE);
        return 0;
    }
    return Usage();
}

} // namespace

int main(int argc, char** argv) {
    // Lines end in LF alone, as the shell scripts that read them expect.
    _setmode(_fileno(stdout), _O_BINARY);
    EndProcess(Run(argc, argv));
}
