#include "tools/ToolText.h"

#include <iconv.h>

#include <string>

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

std::string IconvName(unsigned codePage) {
    if (codePage == ToolText::kDefaultCodePage)
        return "CP1252";
    if (codePage == 65001)
        return "UTF-8";
    return "CP" + std::to_string(codePage);
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

ToolText::ToolText(unsigned codePage) : m_codePage(codePage) {
    const iconv_t converter = iconv_open(IconvName(codePage).c_str(), "UTF-16LE");
    if (converter != kNoConverter)
        m_converter = converter;
}

ToolText::~ToolText() {
    if (m_converter != nullptr)
        iconv_close(static_cast<iconv_t>(m_converter));
}

bool ToolText::IsUsable() const {
    return m_converter != nullptr;
}

std::string ToolText::Utf16ToAnsi(const std::u16string& text) {
    std::string ansi;
    if (m_converter == nullptr)
        return ansi;
    const auto converter = static_cast<iconv_t>(m_converter);
    ansi.reserve(text.size());
    // One character at a time, so that one the code page lacks becomes a
    // single '?' and the rest still converts.
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t units =
            IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
        char in[4];
        for (std::size_t u = 0; u < units; ++u) {
            in[2 * u] = static_cast<char>(text[i + u] & 0xFF);
            in[2 * u + 1] = static_cast<char>(text[i + u] >> 8);
        }
        i += units;
        char out[8];
        char* inPointer = in;
        char* outPointer = out;
        std::size_t inLeft = 2 * units;
        std::size_t outLeft = sizeof out;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<size_t>(-1))
            ansi.push_back('?');
        else
            ansi.append(out, static_cast<std::size_t>(outPointer - out));
    }
    return ansi;
}
