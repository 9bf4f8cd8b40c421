#include "tests/fake/FakeMessages.h"

#include <cstdio>

void FakeMessages::ShowMessage(unsigned stringId, unsigned icon) {
    char line[48];
    std::snprintf(line, sizeof line, "ShowMessage %u 0x%x", stringId, icon);
    m_log.Record(line);
    shown.emplace_back(stringId, icon);
}
