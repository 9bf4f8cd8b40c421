#pragma once

#include "platform/MessageService.h"
#include "tests/fake/CallLog.h"

#include <utility>
#include <vector>

// Message boxes that close at once; each one shown is kept as (string, icon).
class FakeMessages : public MessageService {
public:
    explicit FakeMessages(CallLog& log) : m_log(log) {}

    void ShowMessage(unsigned stringId, unsigned icon) override;

    std::vector<std::pair<unsigned, unsigned>> shown;

private:
    CallLog& m_log;
};
