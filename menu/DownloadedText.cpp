#include "menu/DownloadedText.h"

#include "menu/MenuData.h"
#include "menu/Utf8Text.h"
#include "platform/Services.h"
#include "platform/TextService.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr int kTooLittleData = 4;

} // namespace

bool StartsWithByteOrderMark(std::string_view body) {
    return body.substr(0, kByteOrderMark.size()) == kByteOrderMark;
}

std::string MenuTextOfBody(std::string_view body) {
    if (!StartsWithByteOrderMark(body))
        return std::string(body);
    return Use<TextService>().Utf16ToAnsi(Utf8ToUtf16(body.substr(kByteOrderMark.size())));
}

int ParseDownloadedText(CMenuData& menu, std::uint16_t held, std::string_view body) {
    if (body.size() <= kLargestIgnoredBody)
        return kTooLittleData;
    const std::string text = MenuTextOfBody(body);
    const int result = menu.ParseText(held, text.data(), text.size());
    // A menu without entries would leave the tray with nothing to open, not
    // even Exit, and once stored would spoil every later start.
    if (result == 0 && menu.m_rootPopUp.m_arrChildren.empty())
        return kTooLittleData;
    return result;
}
