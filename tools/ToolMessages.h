#pragma once

#include "platform/MessageService.h"

#include <ostream>

// The tool shows no message boxes: what the program would tell its user
// becomes a note on the given stream (standard error), so that it never mixes
// with the output.
class ToolMessages : public MessageService {
public:
    explicit ToolMessages(std::ostream& notes) : m_notes(notes) {}

    void ShowMessage(unsigned stringId, unsigned icon) override;
    void ShowText(const std::string& text, unsigned icon) override;

private:
    std::ostream& m_notes;
};
