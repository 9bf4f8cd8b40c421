#pragma once

#include <string>

// Message boxes whose text is a string-table entry, shown with an OK button and
// the application's name as caption.
class MessageService {
public:
    static constexpr unsigned kIconStop = 0x10;
    static constexpr unsigned kIconInformation = 0x40;

    virtual ~MessageService() = default;

    // Blocks until the user closes the box.
    virtual void ShowMessage(unsigned stringId, unsigned icon) = 0;
    // The same with a text of the program's own instead of a string entry.
    virtual void ShowText(const std::string& text, unsigned icon) = 0;
};
