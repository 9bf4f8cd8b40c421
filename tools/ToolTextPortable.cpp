#include "tools/ToolText.h"

std::string ToolText::Utf16ToAnsi(const std::u16string& text) {
    std::string ansi;
    ansi.reserve(text.size());
    for (const char16_t unit : text)
        ansi.push_back(unit <= 0x7F ? static_cast<char>(unit) : '?');
    return ansi;
}
