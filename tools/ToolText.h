#pragma once

#include "platform/TextService.h"

// The tool's conversion of stored UTF-16 captions. On Windows it is the
// system's own conversion to the ANSI code page, as the program does it. The
// portable build cannot know which code page the program's users have, so it
// keeps the units that mean the same in every one of them (up to 0x7F) and
// turns every other unit into '?', as the system does for a character its
// code page lacks.
class ToolText : public TextService {
public:
    std::string Utf16ToAnsi(const std::u16string& text) override;
};
