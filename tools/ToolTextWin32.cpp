// The one file of the tool that speaks to Windows.
#include "tools/ToolText.h"

#include <windows.h>

#include <climits>

ToolText::ToolText(unsigned codePage) : m_codePage(codePage) {}

ToolText::~ToolText() = default;

bool ToolText::IsUsable() const {
    return m_codePage == kDefaultCodePage || IsValidCodePage(m_codePage) != FALSE;
}

std::string ToolText::Utf16ToAnsi(const std::u16string& text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX))
        return std::string();
    const UINT codePage = m_codePage == kDefaultCodePage ? GetACP() : m_codePage;
    // A look-alike would hide a character the code page lacks; UTF-8 takes
    // no flags.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(codePage, flags, wide, units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return std::string();
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, flags, wide, units, &ansi[0], bytes, nullptr, nullptr);
    return ansi;
}
