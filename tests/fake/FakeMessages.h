#pragma once

#include "platform/MessageService.h"
#include "tests/fake/CallLog.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Message boxes that close at once; each one shown is kept as (string, icon).
class FakeMessages : public MessageService {
public:
    explicit FakeMessages(CallLog& log) : m_log(log) {}

    void ShowMessage(unsigned stringId, unsigned icon) override;
    void ShowText(const std::string& text, unsigned icon) override;

    // String-table messages as (string, icon).
    std::vector<std::pair<unsigned, unsigned>> shown;
    // Messages of the program's own text as (text, icon).
    std::vector<std::pair<std::string, unsigned>> shownTexts;
    // Stands in for the user while a box is open, before it closes.
    std::function<void()> whileShown;

private:
    CallLog& m_log;
};
