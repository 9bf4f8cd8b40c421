#pragma once

#include "platform/TextService.h"

// The tool's conversion to the users' ANSI code page, for stored UTF-16
// captions and menu files saved as UTF-8 with a byte-order mark. On Windows it
// is the system's own conversion, as the program does it; elsewhere iconv's.
// Characters the code page lacks become '?', as the system makes them.
class ToolText : public TextService {
public:
    // kDefaultCodePage: the system's ANSI code page on Windows, 1252 (the
    // Western one, the most common among users) elsewhere.
    static constexpr unsigned kDefaultCodePage = 0;

    explicit ToolText(unsigned codePage = kDefaultCodePage);
    ~ToolText() override;
    ToolText(const ToolText&) = delete;
    ToolText& operator=(const ToolText&) = delete;

    // False when this system cannot convert to the code page.
    bool IsUsable() const;

    std::string Utf16ToAnsi(const std::u16string& text) override;

private:
    unsigned m_codePage;
    void* m_converter = nullptr; // iconv's descriptor where iconv is used
};
