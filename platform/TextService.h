#pragma once

#include <string>

// Conversion between UTF-16 and the system's ANSI code page.
class TextService {
public:
    virtual ~TextService() = default;

    virtual std::string Utf16ToAnsi(const std::u16string& text) = 0;
};
