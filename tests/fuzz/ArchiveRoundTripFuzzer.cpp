#include "menu/CommandCounter.h"
#include "menu/MenuArchive.h"
#include "menu/MenuData.h"
#include "tests/fake/FakePlatform.h"
#include "tests/fake/MenuTreeEquality.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Whatever the parser makes of a text, numbered as a menu build numbers it,
// is stored and read back as the very same tree: number, captions, addresses
// and command identifiers.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakePlatform fake;
    CMenuData parsed;
    parsed.ParseText(0, reinterpret_cast<const char*>(data), size);
    NumberSites(parsed.m_rootPopUp);

    const std::vector<std::uint8_t> stored = WriteMenuArchive(parsed);
    const ArchiveReadResult read = ReadMenuArchive(stored.data(), stored.size());
    FuzzCheck(read.menu != nullptr, "a stored menu reads back");
    const std::string difference = DescribeTreeDifference(parsed, *read.menu);
    if (!difference.empty())
        std::fprintf(stderr, "read back differently at %s\n", difference.c_str());
    FuzzCheck(difference.empty(), "a stored menu reads back unchanged");
    return 0;
}
