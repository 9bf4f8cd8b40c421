#include "tests/fake/FakeRegistry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

const char* RootName(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::CurrentUser:
        return "HKCU";
    case RegistryRoot::LocalMachine:
        return "HKLM";
    case RegistryRoot::ClassesRoot:
        return "HKCR";
    }
    return "?";
}

const char* TypeName(RegistryType type) {
    switch (type) {
    case RegistryType::Dword:
        return "REG_DWORD";
    case RegistryType::Binary:
        return "REG_BINARY";
    case RegistryType::String:
        return "REG_SZ";
    case RegistryType::Other:
        break;
    }
    return "other";
}

std::string FullPath(RegistryRoot root, const std::string& path) {
    return std::string(RootName(root)) + "\\" + path;
}

std::string HandleText(RegistryKey key) {
    return std::to_string(reinterpret_cast<std::uintptr_t>(key));
}

std::vector<std::uint8_t> LittleEndian(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::uint32_t FromLittleEndian(const std::vector<std::uint8_t>& data) {
    return data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
}

// What a written value looks like in the log: a four-byte DWORD as its
// number, anything else as its size.
std::string DataText(RegistryType type, const std::vector<std::uint8_t>& data) {
    if (type == RegistryType::Dword && data.size() == 4)
        return std::to_string(FromLittleEndian(data));
    return std::to_string(data.size()) + " bytes";
}

} // namespace

bool RegistryNameLess::operator()(const std::string& left, const std::string& right) const {
    return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                        [](char a, char b) {
                                            return std::tolower(static_cast<unsigned char>(a)) <
                                                   std::tolower(static_cast<unsigned char>(b));
                                        });
}

void FakeRegistryKey::SetDword(const std::string& name, std::uint32_t value) {
    Set(name, RegistryType::Dword, LittleEndian(value));
}

void FakeRegistryKey::SetBinary(const std::string& name, std::vector<std::uint8_t> data) {
    Set(name, RegistryType::Binary, std::move(data));
}

void FakeRegistryKey::SetString(const std::string& name, const std::string& text, bool terminated) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    if (terminated)
        data.push_back(0);
    Set(name, RegistryType::String, std::move(data));
}

void FakeRegistryKey::Set(const std::string& name, RegistryType type,
                          std::vector<std::uint8_t> data) {
    m_values[name] = FakeRegistryValue{type, std::move(data)};
}

void FakeRegistryKey::Remove(const std::string& name) {
    m_values.erase(name);
}

const FakeRegistryValue* FakeRegistryKey::Find(const std::string& name) const {
    auto it = m_values.find(name);
    return it == m_values.end() ? nullptr : &it->second;
}

std::optional<std::uint32_t> FakeRegistryKey::Dword(const std::string& name) const {
    const FakeRegistryValue* value = Find(name);
    if (value == nullptr || value->type != RegistryType::Dword || value->data.size() != 4)
        return std::nullopt;
    return FromLittleEndian(value->data);
}

std::optional<std::vector<std::uint8_t>> FakeRegistryKey::Binary(const std::string& name) const {
    const FakeRegistryValue* value = Find(name);
    if (value == nullptr || value->type != RegistryType::Binary)
        return std::nullopt;
    return value->data;
}

RegistryKey FakeRegistry::NewHandle(RegistryRoot root, const std::string& path, bool writable) {
    const auto key = reinterpret_cast<RegistryKey>(++m_lastHandle);
    m_handles[key] = Handle{root, path, writable};
    return key;
}

const FakeRegistry::Handle* FakeRegistry::FindHandle(RegistryKey key) {
    auto it = m_handles.find(key);
    if (it == m_handles.end()) {
        ++m_deadHandleUses;
        return nullptr;
    }
    return &it->second;
}

const FakeRegistryValue* FakeRegistry::FindValue(RegistryKey key, const std::string& name) {
    const Handle* handle = FindHandle(key);
    if (handle == nullptr)
        return nullptr;
    const FakeRegistryKey* stored = FindKey(handle->root, handle->path);
    return stored == nullptr ? nullptr : stored->Find(name);
}

RegistryKey FakeRegistry::OpenKey(RegistryRoot root, const std::string& path) {
    ++opens;
    const RegistryKey key = FindKey(root, path) == nullptr ? nullptr : NewHandle(root, path, false);
    m_log.Record("RegOpenKey " + FullPath(root, path) + " -> " + HandleText(key));
    return key;
}

RegistryKey FakeRegistry::CreateKey(RegistryRoot root, const std::string& path) {
    ++opens;
    RegistryKey key = nullptr;
    if (!createFails) {
        Key(root, path);
        key = NewHandle(root, path, true);
    }
    m_log.Record("RegCreateKey " + FullPath(root, path) + " -> " + HandleText(key));
    return key;
}

void FakeRegistry::CloseKey(RegistryKey key) {
    ++closes;
    m_log.Record("RegCloseKey " + HandleText(key));
    if (FindHandle(key) != nullptr)
        m_handles.erase(key);
}

bool FakeRegistry::QueryValueInfo(RegistryKey key, const std::string& name, RegistryType& type,
                                  std::size_t& size) {
    m_log.Record("RegQueryValueInfo " + HandleText(key) + " " + name);
    const FakeRegistryValue* value = FindValue(key, name);
    if (value == nullptr)
        return false;
    type = value->type;
    size = value->data.size();
    return true;
}

bool FakeRegistry::QueryValue(RegistryKey key, const std::string& name, RegistryType& type,
                              void* buffer, std::size_t& size) {
    m_log.Record("RegQueryValue " + HandleText(key) + " " + name);
    const FakeRegistryValue* value = FindValue(key, name);
    if (value == nullptr || value->data.size() > size)
        return false;
    type = value->type;
    size = value->data.size();
    if (size != 0)
        std::memcpy(buffer, value->data.data(), size);
    return true;
}

bool FakeRegistry::SetValue(RegistryKey key, const std::string& name, RegistryType type,
                            const void* data, std::size_t size) {
    ++writes;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::vector<std::uint8_t> stored(bytes, bytes + size);
    m_log.Record("RegSetValue " + HandleText(key) + " " + name + " " + TypeName(type) + " " +
                 DataText(type, stored));
    const Handle* handle = FindHandle(key);
    if (handle == nullptr || !handle->writable || writesFail)
        return false;
    Key(handle->root, handle->path).Set(name, type, std::move(stored));
    written.push_back(name);
    return true;
}

FakeRegistryKey& FakeRegistry::Key(RegistryRoot root, const std::string& path) {
    return m_keys[FullPath(root, path)];
}

const FakeRegistryKey* FakeRegistry::FindKey(RegistryRoot root, const std::string& path) const {
    auto it = m_keys.find(FullPath(root, path));
    return it == m_keys.end() ? nullptr : &it->second;
}

void FakeRegistry::RemoveKey(RegistryRoot root, const std::string& path) {
    m_keys.erase(FullPath(root, path));
}
