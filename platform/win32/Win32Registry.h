#pragma once

#include "platform/RegistryService.h"
#include "platform/win32/UniqueHandles.h"

#include <map>

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Release(Handle key) { ::RegCloseKey(key); }
};
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

// The registry through the Win32 "A" functions. Every key it opens is owned
// here until CloseKey; whatever the program leaves open is closed when this
// object goes.
class Win32Registry : public RegistryService {
public:
    RegistryKey OpenKey(RegistryRoot root, const std::string& path) override;
    RegistryKey CreateKey(RegistryRoot root, const std::string& path) override;
    void CloseKey(RegistryKey key) override;
    bool QueryValueInfo(RegistryKey key, const std::string& name, RegistryType& type,
                        std::size_t& size) override;
    bool QueryValue(RegistryKey key, const std::string& name, RegistryType& type, void* buffer,
                    std::size_t& size) override;
    bool SetValue(RegistryKey key, const std::string& name, RegistryType type, const void* data,
                  std::size_t size) override;

private:
    RegistryKey Keep(HKEY key);
    // The open key behind a handle this object gave out; null for any other.
    HKEY Find(RegistryKey key) const;

    std::map<RegistryKey, UniqueRegistryKey> m_openKeys;
};
