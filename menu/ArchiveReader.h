#pragma once

#include "menu/MenuArchive.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CMenuData;
class CMenuPopUp;
struct MenuClass;

// Reads the stored form of a menu. The first fault met is kept and every
// later read gives zero or an empty string, so a body can read its fields
// without checking each one; the caller asks Error() at the end. The entries
// below a sub-menu are read from an explicit stack, so no nesting depth can
// exhaust the call stack.
class ArchiveReader {
public:
    ArchiveReader(const std::uint8_t* data, std::size_t length)
        : m_pData(data), m_nLength(length), m_nUnclaimedEntries(length / kMinEntryBytes) {}

    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    std::int32_t ReadI32();
    // Either length-prefixed form: 8-bit text as it is, or UTF-16 text
    // converted to the ANSI code page.
    std::string ReadString();

    // Reads the top-level object, which must be a menu. Null on any fault,
    // and for the null object (noObject).
    std::unique_ptr<CMenuData> ReadObject();

    // A sub-menu's body calls this after its caption: reads the number of
    // children and has that many entries read and appended to popUp right
    // after the body in hand.
    void ReadChildren(CMenuPopUp& popUp);

    ArchiveError Error() const { return m_error; }
    bool Failed() const { return m_error != ArchiveError::none; }

private:
    struct Tag {
        enum Kind { Object, NewClass, ClassIndex } kind;
        std::uint32_t index;
    };
    struct Pending {
        CMenuPopUp* popUp;
        std::uint32_t left;
    };
    struct IndexedClass {
        std::size_t index;
        const MenuClass* cls;
    };

    // Every entry takes at least its two-byte tag.
    static constexpr std::size_t kMinEntryBytes = 2;

    void Fail(ArchiveError error);
    // True when count items of itemSize bytes each can still follow; a fault
    // otherwise, so that no declared size is ever reserved or waited for.
    bool CanHold(std::uint64_t count, std::size_t itemSize);
    std::uint8_t ReadU8();
    // A string's length prefix; utf16 tells whether it counts UTF-16 units.
    std::size_t ReadLength(bool& utf16);
    Tag ReadTag();
    const MenuClass* ReadClassDescription();
    // The class of a new object introduced by a class tag; null on a fault.
    const MenuClass* ReadObjectClass(const Tag& tag);
    void ReadPendingEntries();

    const std::uint8_t* m_pData;
    std::size_t m_nLength;
    std::size_t m_nPos = 0;
    ArchiveError m_error = ArchiveError::none;
    // The shared numbering: indexes 1 to m_nIndexed are given, and those
    // not listed in m_classes (in increasing order) name objects.
    std::size_t m_nIndexed = 0;
    std::vector<IndexedClass> m_classes;
    std::vector<Pending> m_pending;
    // Entries the bytes could still hold beyond the children already made
    // room for. Nested counts may claim the same bytes, so room is made for
    // a declared count only while it fits, and never for more in all.
    std::size_t m_nUnclaimedEntries;
    bool m_bReadingPending = false;
};
