#include "platform/win32/Win32Registry.h"

#include <climits>

namespace {

HKEY RootKey(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    }
    return HKEY_CURRENT_USER;
}

RegistryType TypeOf(DWORD type) {
    switch (type) {
    case REG_DWORD:
        return RegistryType::Dword;
    case REG_BINARY:
        return RegistryType::Binary;
    case REG_SZ:
        return RegistryType::String;
    default:
        return RegistryType::Other;
    }
}

DWORD Win32Type(RegistryType type) {
    switch (type) {
    case RegistryType::Dword:
        return REG_DWORD;
    case RegistryType::Binary:
        return REG_BINARY;
    case RegistryType::String:
        return REG_SZ;
    case RegistryType::Other:
        break;
    }
    return REG_NONE;
}

} // namespace

RegistryKey Win32Registry::Keep(HKEY key) {
    const RegistryKey handle = reinterpret_cast<RegistryKey>(key);
    m_openKeys[handle] = UniqueRegistryKey(key);
    return handle;
}

HKEY Win32Registry::Find(RegistryKey key) const {
    auto it = m_openKeys.find(key);
    return it == m_openKeys.end() ? nullptr : it->second.get();
}

RegistryKey Win32Registry::OpenKey(RegistryRoot root, const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    return Keep(key);
}

RegistryKey Win32Registry::CreateKey(RegistryRoot root, const std::string& path) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &key, &disposition) != ERROR_SUCCESS)
        return nullptr;
    return Keep(key);
}

void Win32Registry::CloseKey(RegistryKey key) {
    m_openKeys.erase(key);
}

bool Win32Registry::QueryValueInfo(RegistryKey key, const std::string& name, RegistryType& type,
                                   std::size_t& size) {
    const HKEY open = Find(key);
    DWORD valueType = REG_NONE;
    DWORD valueSize = 0;
    if (open == nullptr || ::RegQueryValueExA(open, name.c_str(), nullptr, &valueType, nullptr,
                                              &valueSize) != ERROR_SUCCESS)
        return false;
    type = TypeOf(valueType);
    size = valueSize;
    return true;
}

// The bytes come back exactly as stored, with the count the system reports:
// a string stored without its terminating zero gets none added, and a value
// larger than the buffer (ERROR_MORE_DATA) counts as unreadable.
bool Win32Registry::QueryValue(RegistryKey key, const std::string& name, RegistryType& type,
                               void* buffer, std::size_t& size) {
    const HKEY open = Find(key);
    DWORD valueType = REG_NONE;
    DWORD valueSize = size > ULONG_MAX ? ULONG_MAX : static_cast<DWORD>(size);
    if (open == nullptr ||
        ::RegQueryValueExA(open, name.c_str(), nullptr, &valueType, static_cast<BYTE*>(buffer),
                           &valueSize) != ERROR_SUCCESS)
        return false;
    type = TypeOf(valueType);
    size = valueSize;
    return true;
}

bool Win32Registry::SetValue(RegistryKey key, const std::string& name, RegistryType type,
                             const void* data, std::size_t size) {
    const HKEY open = Find(key);
    return open != nullptr && size <= ULONG_MAX &&
           ::RegSetValueExA(open, name.c_str(), 0, Win32Type(type), static_cast<const BYTE*>(data),
                            static_cast<DWORD>(size)) == ERROR_SUCCESS;
}
