#include "tests/fake/FakeMessages.h"

#include <cstdio>

void FakeMessages::ShowMessage(unsigned stringId, unsigned icon) {
    char line[48];
    std::snprintf(line, sizeof line, "ShowMessage %u 0x%x", stringId, icon);
    m_log.Record(line);
    shown.emplace_back(stringId, icon);
    if (whileShown)
        whileShown();
}

void FakeMessages::ShowText(const std::string& text, unsigned icon) {
    char iconText[16];
    std::snprintf(iconText, sizeof iconText, " 0x%x", icon);
    m_log.Record("ShowText " + text + iconText);
    shownTexts.emplace_back(text, icon);
    if (whileShown)
        whileShown();
}
