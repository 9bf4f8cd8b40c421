#pragma once

#include "menu/MenuData.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The stored form of a menu: the bytes of one CMenuData written as an object
// with its class record, as kept in the "MenuData" registry value.

enum class ArchiveError {
    none,
    endOfFile, // the data ends before a value is complete
    badClass,  // unknown class name, or a class that is not allowed there
    badSchema, // a stored schema other than 1
    badIndex,  // a class or object index that names nothing usable
    noObject,  // the top-level object is the null object
};

// The cause's name as the maker's tool prints it: "endOfFile", ..., "no object".
const char* ArchiveErrorName(ArchiveError error);

struct ArchiveReadResult {
    std::unique_ptr<CMenuData> menu; // null unless error is none
    ArchiveError error = ArchiveError::none;
};

std::vector<std::uint8_t> WriteMenuArchive(const CMenuData& menu);
ArchiveReadResult ReadMenuArchive(const std::uint8_t* data, std::size_t length);
