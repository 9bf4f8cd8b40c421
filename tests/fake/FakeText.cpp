#include "tests/fake/FakeText.h"

std::string FakeText::Utf16ToAnsi(const std::u16string& text) {
    m_log.Record("Utf16ToAnsi " + std::to_string(text.size()));
    std::string ansi;
    ansi.reserve(text.size());
    for (char16_t unit : text)
        ansi.push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
    return ansi;
}
