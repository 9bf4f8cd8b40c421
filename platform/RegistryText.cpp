#include "platform/RegistryText.h"

#include "platform/Services.h"

#include <vector>

bool ReadRegistryText(RegistryRoot root, const std::string& path, const std::string& valueName,
                      std::string& text) {
    RegistryService& registry = Use<RegistryService>();
    const RegistryKey key = registry.OpenKey(root, path);
    if (key == nullptr)
        return false;
    RegistryType type;
    std::size_t size = 0;
    bool read = registry.QueryValueInfo(key, valueName, type, size);
    if (read) {
        std::vector<char> buffer(size);
        read = registry.QueryValue(key, valueName, type, buffer.data(), size);
        if (read) {
            std::string value(buffer.data(), size);
            text = value.substr(0, value.find('\0'));
        }
    }
    registry.CloseKey(key);
    return read;
}
