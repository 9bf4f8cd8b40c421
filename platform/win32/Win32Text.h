#pragma once

#include "platform/TextService.h"

// Conversion into the system's ANSI code page; characters the code page lacks
// become its default character.
class Win32Text : public TextService {
public:
    std::string Utf16ToAnsi(const std::u16string& text) override;
};
