#include "platform/win32/InternetErrorText.h"
#include "platform/win32/SystemLibrary.h"

#include <wininet.h>

namespace {

// The internet layer keeps the texts of its own errors in its module, not in
// the system's table; that module is loaded only once a download begins.
bool IsInternetError(DWORD error) {
    return error >= INTERNET_ERROR_BASE && error <= INTERNET_ERROR_LAST;
}

} // namespace

std::string InternetErrorText(DWORD error) {
    if (error == ERROR_SUCCESS)
        return {};
    const HMODULE internet = IsInternetError(error) ? LoadSystemLibrary("wininet.dll") : nullptr;
    const DWORD source =
        internet != nullptr ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM;
    char text[1024];
    const DWORD length = ::FormatMessageA(source | FORMAT_MESSAGE_IGNORE_INSERTS, internet, error,
                                          0, text, sizeof text, nullptr);
    std::string trimmed(text, length);
    const std::size_t end = trimmed.find_last_not_of(" \t\r\n");
    trimmed.erase(end == std::string::npos ? 0 : end + 1);
    return trimmed;
}
