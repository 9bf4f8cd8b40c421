// The floor of the start-up benchmark: the least a notification-area program
// does. A hidden window for the icon's messages, the icon itself, a message
// loop; built with the program's own flags, so that what the benchmark
// measures above it is the program's own doing.
#include <windows.h>

#include <shellapi.h>

namespace {

constexpr char kWindowClass[] = "TrayFloor";
constexpr char kWindowName[] = "TrayFloor1";
constexpr char kTip[] = "Tray floor";
constexpr UINT kIconId = 10;
constexpr int kIconResource = 1;

LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FloorWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassA(&windowClass);
    const HWND window = ::CreateWindowExA(0, kWindowClass, kWindowName, WS_POPUP, 0, 0, 10, 10,
                                          nullptr, nullptr, instance, nullptr);

    // The record in its first form, as the program fills it.
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = kIconId;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = WM_USER;
    icon.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(kIconResource));
    ::lstrcpynA(icon.szTip, kTip, sizeof icon.szTip);
    ::Shell_NotifyIconA(NIM_ADD, &icon);

    MSG message{};
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    ::Shell_NotifyIconA(NIM_DELETE, &icon);
    return static_cast<int>(message.wParam);
}
