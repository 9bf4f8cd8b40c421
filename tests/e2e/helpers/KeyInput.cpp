#include "KeyInput.h"

#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <vector>

namespace {

struct NamedKey {
    const char* name;
    WORD virtualKey;
};

const NamedKey kNamedKeys[] = {{"Escape", VK_ESCAPE}, {"Return", VK_RETURN}, {"Tab", VK_TAB},
                               {"Space", VK_SPACE},   {"Up", VK_UP},         {"Down", VK_DOWN},
                               {"Left", VK_LEFT},     {"Right", VK_RIGHT},   {"Alt", VK_MENU},
                               {"Ctrl", VK_CONTROL},  {"Shift", VK_SHIFT}};

WORD VirtualKeyOf(const std::string& name) {
    for (const NamedKey& key : kNamedKeys)
        if (lstrcmpiA(name.c_str(), key.name) == 0)
            return key.virtualKey;
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0])));
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
        const int number = std::atoi(name.c_str() + 1);
        if (number >= 1 && number <= 12)
            return static_cast<WORD>(VK_F1 + number - 1);
    }
    return 0;
}

INPUT KeyEvent(WORD virtualKey, bool release) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    return input;
}

} // namespace

bool PressKey(const std::string& key) {
    std::vector<WORD> held;
    std::string rest = key;
    for (std::size_t plus; (plus = rest.find('+')) != std::string::npos && plus + 1 < rest.size();
         rest = rest.substr(plus + 1)) {
        const WORD modifier = VirtualKeyOf(rest.substr(0, plus));
        if (modifier != VK_MENU && modifier != VK_CONTROL && modifier != VK_SHIFT)
            return false;
        held.push_back(modifier);
    }
    const WORD virtualKey = VirtualKeyOf(rest);
    if (virtualKey == 0)
        return false;

    std::vector<INPUT> inputs;
    for (WORD modifier : held)
        inputs.push_back(KeyEvent(modifier, false));
    inputs.push_back(KeyEvent(virtualKey, false));
    inputs.push_back(KeyEvent(virtualKey, true));
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        inputs.push_back(KeyEvent(*it, true));
    return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
           inputs.size();
}
