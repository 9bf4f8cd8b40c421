#pragma once

#include "platform/RegistryService.h"
#include "tests/fake/CallLog.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct FakeRegistryValue {
    RegistryType type;
    std::vector<std::uint8_t> data;
};

// Orders names as the registry compares them: without regard to case.
struct RegistryNameLess {
    bool operator()(const std::string& left, const std::string& right) const;
};

// The values of one key, each with its type and exact bytes.
class FakeRegistryKey {
public:
    // A REG_DWORD of four bytes.
    void SetDword(const std::string& name, std::uint32_t value);
    void SetBinary(const std::string& name, std::vector<std::uint8_t> data);
    // A REG_SZ, stored with its terminating zero unless terminated is false.
    void SetString(const std::string& name, const std::string& text, bool terminated = true);
    // Any type with any bytes, for the values a program never writes itself.
    void Set(const std::string& name, RegistryType type, std::vector<std::uint8_t> data);
    void Remove(const std::string& name);

    const FakeRegistryValue* Find(const std::string& name) const;
    // The value when it is a REG_DWORD of exactly four bytes.
    std::optional<std::uint32_t> Dword(const std::string& name) const;
    // The value's bytes when it is a REG_BINARY.
    std::optional<std::vector<std::uint8_t>> Binary(const std::string& name) const;
    std::size_t ValueCount() const { return m_values.size(); }

private:
    std::map<std::string, FakeRegistryValue, RegistryNameLess> m_values;
};

// The registry in memory: keys under the three roots the program uses (the
// user's settings, the machine policy, the file-type associations). Handles
// are never reused, so a stale one is always noticed; a key opened for reading
// cannot be written through. Every call is logged ("RegOpenKey HKCU\...",
// "RegSetValue 2 QueryInterval REG_DWORD 3", ...); log.Count("Reg") counts
// all registry access.
class FakeRegistry : public RegistryService {
public:
    static constexpr const char* kSettingsPath = "Software\\Vellinor";

    explicit FakeRegistry(CallLog& log) : m_log(log) {}

    RegistryKey OpenKey(RegistryRoot root, const std::string& path) override;
    RegistryKey CreateKey(RegistryRoot root, const std::string& path) override;
    void CloseKey(RegistryKey key) override;
    bool QueryValueInfo(RegistryKey key, const std::string& name, RegistryType& type,
                        std::size_t& size) override;
    bool QueryValue(RegistryKey key, const std::string& name, RegistryType& type, void* buffer,
                    std::size_t& size) override;
    bool SetValue(RegistryKey key, const std::string& name, RegistryType type, const void* data,
                  std::size_t size) override;

    // The key at path, made when missing.
    FakeRegistryKey& Key(RegistryRoot root, const std::string& path);
    // The key at path; null when it does not exist.
    const FakeRegistryKey* FindKey(RegistryRoot root, const std::string& path) const;
    void RemoveKey(RegistryRoot root, const std::string& path);
    // The user's settings key, HKEY_CURRENT_USER\Software\Vellinor.
    FakeRegistryKey& SettingsKey() { return Key(RegistryRoot::CurrentUser, kSettingsPath); }
    const FakeRegistryKey* FindSettingsKey() const {
        return FindKey(RegistryRoot::CurrentUser, kSettingsPath);
    }

    // Keys opened or created and not closed yet.
    std::size_t OpenHandleCount() const { return m_handles.size(); }
    // Calls with a handle that is not open.
    int DeadHandleUses() const { return m_deadHandleUses; }

    // Every OpenKey and CreateKey call, successful or not.
    int opens = 0;
    int closes = 0;
    // Every SetValue call, successful or not.
    int writes = 0;
    // The names of the values written successfully, in order.
    std::vector<std::string> written;

    // CreateKey fails, as when the key can neither be opened nor created.
    bool createFails = false;
    // SetValue fails.
    bool writesFail = false;

private:
    struct Handle {
        RegistryRoot root;
        std::string path;
        bool writable;
    };
    RegistryKey NewHandle(RegistryRoot root, const std::string& path, bool writable);
    const Handle* FindHandle(RegistryKey key);
    const FakeRegistryValue* FindValue(RegistryKey key, const std::string& name);

    CallLog& m_log;
    std::map<std::string, FakeRegistryKey, RegistryNameLess> m_keys; // by "HKCU\path"
    std::map<RegistryKey, Handle> m_handles;
    std::uintptr_t m_lastHandle = 0;
    int m_deadHandleUses = 0;
};
