#include "menu/MenuArchive.h"
#include "tests/fake/FakePlatform.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The stored menu comes from the registry, where anything may have been put.
// Reading ends in a tree or in a cause, never both; a tree read from any bytes
// stores as bytes that read back and store again identically; and the start-up
// code can build a menu from it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakePlatform fake;
    {
        const ArchiveReadResult read = ReadMenuArchive(data, size);
        FuzzCheck((read.menu != nullptr) == (read.error == ArchiveError::none),
                  "reading gives a tree or a cause");
        if (read.menu == nullptr)
            return 0;

        const std::vector<std::uint8_t> stored = WriteMenuArchive(*read.menu);
        const ArchiveReadResult again = ReadMenuArchive(stored.data(), stored.size());
        FuzzCheck(again.menu != nullptr, "a tree that was read stores as readable bytes");
        FuzzCheck(WriteMenuArchive(*again.menu) == stored, "storing is stable");

        read.menu->BuildMenu();
    }
    FuzzCheck(fake.menus.LiveMenuCount() == 0, "every menu built is destroyed");
    return 0;
}
