#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Opaque handle of an open registry key; null when none.
struct RegistryKeyTag;
using RegistryKey = RegistryKeyTag*;

enum class RegistryRoot { CurrentUser, LocalMachine, ClassesRoot };

enum class RegistryType { Dword, Binary, String, Other };

// The registry as the program uses it: the user's settings key, the machine
// policy key and the file-type associations. Value names are 8-bit text; an
// empty name is the key's default value.
class RegistryService {
public:
    virtual ~RegistryService() = default;

    // Opens an existing key for reading; null when it cannot be opened.
    virtual RegistryKey OpenKey(RegistryRoot root, const std::string& path) = 0;
    // Opens a key for writing, creating it when missing; null on failure.
    virtual RegistryKey CreateKey(RegistryRoot root, const std::string& path) = 0;
    virtual void CloseKey(RegistryKey key) = 0;

    // Type and size in bytes of a value, without its data.
    virtual bool QueryValueInfo(RegistryKey key, const std::string& name, RegistryType& type,
                                std::size_t& size) = 0;
    // Reads a value into buffer. On entry size is the buffer's capacity, on
    // success it is the number of bytes read. A value larger than the buffer
    // is a failure, as is a missing one.
    virtual bool QueryValue(RegistryKey key, const std::string& name, RegistryType& type,
                            void* buffer, std::size_t& size) = 0;
    virtual bool SetValue(RegistryKey key, const std::string& name, RegistryType type,
                          const void* data, std::size_t size) = 0;
};
