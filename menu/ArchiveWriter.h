#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

class CMenuData;
class CMenuPopUp;
struct MenuClass;

// Writes the stored form of a menu: little-endian values, length-prefixed
// strings, and objects introduced by their class description the first time
// a class occurs and by its index afterwards. The entries below a sub-menu are
// written from an explicit stack, so no nesting depth can exhaust the call
// stack.
class ArchiveWriter {
public:
    void WriteU16(std::uint16_t value);
    void WriteU32(std::uint32_t value);
    void WriteI32(std::int32_t value);
    void WriteString(std::string_view text);

    // Writes menu as the top-level object: its tag, then its body with every
    // entry of the tree.
    void WriteObject(const CMenuData& menu);

    // A sub-menu's body calls this after its caption: writes the number of
    // children and has each child written as a new object right after the
    // body in hand. Null children are left out, so what is written always
    // reads back.
    void WriteChildren(const CMenuPopUp& popUp);

    std::vector<std::uint8_t> TakeBytes() { return std::move(m_bytes); }

private:
    void WriteU8(std::uint8_t value);
    void WriteObjectTag(const MenuClass& cls);
    void WritePendingEntries();

    struct Pending {
        const CMenuPopUp* popUp;
        std::size_t next;
    };

    std::vector<std::uint8_t> m_bytes;
    // The shared numbering: classes and objects take the next index in the
    // order they occur. Objects are never shared, so only the classes need
    // to be remembered.
    std::uint32_t m_nLastIndex = 0;
    std::vector<std::pair<const MenuClass*, std::uint32_t>> m_classIndexes;
    std::vector<Pending> m_pending;
    bool m_bWritingPending = false;
};
