// The one file of the tool that speaks to Windows.
#include "tools/ToolText.h"

#include <windows.h>

#include <climits>

std::string ToolText::Utf16ToAnsi(const std::u16string& text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX))
        return std::string();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return std::string();
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, units, &ansi[0], bytes, nullptr, nullptr);
    return ansi;
}
