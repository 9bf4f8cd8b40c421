#include "platform/win32/Win32Text.h"

#include <windows.h>

#include <climits>

std::string Win32Text::Utf16ToAnsi(const std::u16string& text) {
    if (text.empty() || text.size() > INT_MAX)
        return {};
    // char16_t and wchar_t are both UTF-16 code units on Windows.
    const auto* units = reinterpret_cast<const wchar_t*>(text.data());
    const int unitCount = static_cast<int>(text.size());
    // A look-alike would hide a character the code page lacks: it becomes '?'.
    // A system whose ANSI code page is UTF-8 lacks none and takes no flags.
    const DWORD flags = ::GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length =
        ::WideCharToMultiByte(CP_ACP, flags, units, unitCount, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, units, unitCount, &ansi[0], length, nullptr, nullptr);
    return ansi;
}
