// The end-to-end tests' eyes and hands inside Wine's desktop: it finds the
// windows, dialogs, menus and tray icons of the program under test, reads
// their texts and places, and acts on them, printing what it finds for the
// test scripts. Run it in the same desktop as the program under test.
//
//   desktop-helper windows CLASS TITLE COUNT SECONDS [all]
//       waits until exactly COUNT top-level windows of CLASS with TITLE ("":
//       any) are shown (visible; "all": whether shown or not), and prints
//       their places ("LEFT TOP WIDTH HEIGHT"), the one at the bottom first
//       (a sub-menu opens above the menu it belongs to)
//   desktop-helper controls TITLE SECONDS [quiet]
//       waits for the visible dialog TITLE and prints its controls, one a line:
//       ID, class, place, state ("visible" or "hidden", then "default" and
//       "checked" where they hold, comma-separated) and text (none for a
//       picture; its line breaks as "\n"), separated by TABs;
//       the first line is the dialog itself, with ID 0 and the place of its
//       client area. "quiet" sends the program no message, so that a dialog
//       whose thread is busy can be read at once: texts as the system keeps
//       them, and no "checked" (check marks show only on the screen)
//   desktop-helper template PROGRAM NUMBER LEFT TOP
//       prints, as "controls" does quietly, the dialog NUMBER of PROGRAM as its
//       template alone makes it, its client area at LEFT TOP: what the
//       program's dialog shows unless the program changes it
//   desktop-helper tray TIP COUNT SECONDS
//       waits until exactly COUNT notification-area icons have the tooltip TIP;
//       prints their places
//   desktop-helper close TITLE
//       asks the top-level window TITLE to close, as its close box would
//   desktop-helper shell-restart TITLE ID
//       does what a shell that restarts does to the icon ID of the window
//       TITLE: drops it, then tells every top-level window "TaskbarCreated"
//   desktop-helper stay
//       waits until it is ended, keeping the desktop open meanwhile
//
// Exit status: 0 when found or done, 1 when a wait ran out or nothing matched,
// 2 on a usage error.
#include "ProcessEnd.h"
#include "TrayIconList.h"
#include "WindowLookup.h"

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* kDialogClass = "#32770";

const char* AnyIsNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

void PrintControl(HWND control, bool quiet) {
    char className[64] = {};
    ::GetClassNameA(control, className, sizeof className);
    const LONG_PTR style = ::GetWindowLongPtrA(control, GWL_STYLE);
    // The style, not IsWindowVisible: a template's dialog is listed unshown.
    std::string state = style & WS_VISIBLE ? "visible" : "hidden";
    const bool button = lstrcmpiA(className, "Button") == 0;
    if (button && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        state += ",default";
    if (button && !quiet && ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
        state += ",checked";
    // A picture's text only names its resource.
    const bool picture = lstrcmpiA(className, "Static") == 0 &&
                         ((style & SS_TYPEMASK) == SS_ICON || (style & SS_TYPEMASK) == SS_BITMAP);
    std::string text = picture ? "" : quiet ? KeptWindowText(control) : WindowText(control);
    for (std::size_t at = 0; (at = text.find_first_of("\r\n", at)) != std::string::npos;)
        text.replace(at, text.compare(at, 2, "\r\n") == 0 ? 2 : 1, "\\n");
    std::printf("%d\t%s\t%s\t%s\t%s\n", ::GetDlgCtrlID(control), className,
                ScreenRectText(control).c_str(), state.c_str(), text.c_str());
}

void PrintDialog(HWND dialog, bool quiet) {
    RECT client{};
    ::GetClientRect(dialog, &client);
    ::MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::printf("0\t%s\t%s\tvisible\t%s\n", kDialogClass, RectText(client).c_str(),
                KeptWindowText(dialog).c_str());
    // Its own controls only, not the edit inside a combo box.
    for (HWND control = ::GetWindow(dialog, GW_CHILD); control != nullptr;
         control = ::GetWindow(control, GW_HWNDNEXT))
        PrintControl(control, quiet);
}

int Controls(const std::vector<std::string>& args) {
    WindowQuery query;
    query.title = args[0].c_str();
    query.className = kDialogClass;
    query.visibleOnly = true;
    query.quiet = args.size() == 3 && args[2] == "quiet";
    HWND dialog = nullptr;
    if (!PollFor(std::atof(args[1].c_str()),
                 [&] { return (dialog = FindTopLevel(query)) != nullptr; }))
        return 1;
    PrintDialog(dialog, query.quiet);
    return 0;
}

// The dialog is made in this process, from the program's resources alone, so
// it has the same font and metrics as the program's and none of its changes.
int Template(const std::vector<std::string>& args) {
    const HMODULE program = ::LoadLibraryExA(args[0].c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC resource =
        ::FindResourceA(program, MAKEINTRESOURCEA(std::atoi(args[1].c_str())), RT_DIALOG);
    if (program == nullptr || resource == nullptr)
        return 2;
    const auto* bytes = static_cast<const BYTE*>(::LockResource(::LoadResource(program, resource)));
    std::vector<BYTE> copy(bytes, bytes + ::SizeofResource(program, resource));
    // Shown, it would be one more dialog among those the tests look for. An
    // extended template has its style after its signature and help ID.
    const bool extended = reinterpret_cast<const WORD*>(bytes)[1] == 0xFFFF;
    reinterpret_cast<DWORD*>(copy.data())[extended ? 3 : 0] &= ~WS_VISIBLE;
    const HWND dialog = ::CreateDialogIndirectParamA(
        program, reinterpret_cast<const DLGTEMPLATE*>(copy.data()), nullptr,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    if (dialog == nullptr)
        return 2;
    RECT client{}, window{};
    ::GetClientRect(dialog, &client);
    ::MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::GetWindowRect(dialog, &window);
    ::SetWindowPos(dialog, nullptr, window.left + std::atoi(args[2].c_str()) - client.left,
                   window.top + std::atoi(args[3].c_str()) - client.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PrintDialog(dialog, true);
    return 0;
}

// Waits until `list` gives exactly COUNT places, and prints them.
template <typename List>
int WaitForCount(const std::string& count, const std::string& seconds, List list) {
    const std::size_t wanted = static_cast<std::size_t>(std::atoi(count.c_str()));
    std::vector<std::string> places;
    if (!PollFor(std::atof(seconds.c_str()), [&] { return (places = list()).size() == wanted; }))
        return 1;
    for (const std::string& place : places)
        std::printf("%s\n", place.c_str());
    return 0;
}

std::vector<std::string> Windows(const std::vector<std::string>& args) {
    WindowQuery query;
    query.className = AnyIsNull(args[0]);
    query.title = AnyIsNull(args[1]);
    query.visibleOnly = args.size() == 4;
    std::vector<std::string> places;
    for (HWND window : FindAllTopLevel(query))
        places.push_back(ScreenRectText(window));
    return places;
}

std::vector<std::string> TrayIcons(const std::string& tip) {
    std::vector<std::string> places;
    for (const ShownTrayIcon& icon : ListTrayIcons())
        if (icon.tip == tip)
            places.push_back(RectText(icon.place));
    return places;
}

int Run(const std::vector<std::string>& args) {
    const std::string command = args.empty() ? "" : args[0];
    const std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    if (command == "windows" && (rest.size() == 4 || (rest.size() == 5 && rest[4] == "all")))
        return WaitForCount(rest[2], rest[3], [&] { return Windows(rest); });
    if (command == "controls" && (rest.size() == 2 || rest.size() == 3))
        return Controls(rest);
    if (command == "template" && rest.size() == 4)
        return Template(rest);
    if (command == "tray" && rest.size() == 3)
        return WaitForCount(rest[1], rest[2], [&] { return TrayIcons(rest[0]); });
    if (command == "close" && rest.size() == 1) {
        const HWND window = FindTopLevel({rest[0].c_str()});
        return window != nullptr && ::PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == "shell-restart" && rest.size() == 2) {
        NOTIFYICONDATAA icon{};
        icon.cbSize = sizeof icon;
        icon.hWnd = FindTopLevel({rest[0].c_str()});
        icon.uID = static_cast<UINT>(std::atoi(rest[1].c_str()));
        const UINT restarted = ::RegisterWindowMessageA("TaskbarCreated");
        const bool done = icon.hWnd != nullptr && ::Shell_NotifyIconA(NIM_DELETE, &icon) &&
                          ::PostMessageA(HWND_BROADCAST, restarted, 0, 0);
        return done ? 0 : 1;
    }
    if (command == "stay" && rest.empty())
        ::Sleep(INFINITE);
    std::fprintf(stderr, "usage: desktop-helper COMMAND ARGS... (see the source)\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // Lines end in LF alone, as the shell scripts that read them expect.
    _setmode(_fileno(stdout), _O_BINARY);
    EndProcess(Run(std::vector<std::string>(argv + 1, argv + argc)));
}
