#include "menu/ArchiveReader.h"

#include "menu/ArchiveFormat.h"
#include "menu/MenuClass.h"
#include "menu/MenuData.h"
#include "platform/Services.h"
#include "platform/TextService.h"

#include <algorithm>
#include <string_view>

using namespace archive_format;

void ArchiveReader::Fail(ArchiveError error) {
    if (!Failed())
        m_error = error;
}

bool ArchiveReader::CanHold(std::uint64_t count, std::size_t itemSize) {
    if (Failed())
        return false;
    if (count > (m_nLength - m_nPos) / itemSize) {
        Fail(ArchiveError::endOfFile);
        return false;
    }
    return true;
}

std::uint8_t ArchiveReader::ReadU8() {
    if (!CanHold(1, 1))
        return 0;
    return m_pData[m_nPos++];
}

std::uint16_t ArchiveReader::ReadU16() {
    if (!CanHold(2, 1))
        return 0;
    const std::uint16_t value =
        static_cast<std::uint16_t>(m_pData[m_nPos] | m_pData[m_nPos + 1] << 8);
    m_nPos += 2;
    return value;
}

std::uint32_t ArchiveReader::ReadU32() {
    const std::uint32_t low = ReadU16();
    const std::uint32_t high = ReadU16();
    return low | high << 16;
}

std::int32_t ArchiveReader::ReadI32() {
    return static_cast<std::int32_t>(ReadU32());
}

std::size_t ArchiveReader::ReadLength(bool& utf16) {
    utf16 = false;
    std::uint8_t shortLength = ReadU8();
    if (shortLength != kLongLength)
        return shortLength;
    std::uint16_t longLength = ReadU16();
    if (longLength == kUtf16Marker) {
        // A second prefix counts the UTF-16 units; in it 0xFFFE is a count.
        utf16 = true;
        shortLength = ReadU8();
        if (shortLength != kLongLength)
            return shortLength;
        longLength = ReadU16();
    }
    if (longLength != kHugeLength)
        return longLength;
    return ReadU32();
}

std::string ArchiveReader::ReadString() {
    bool utf16 = false;
    const std::size_t length = ReadLength(utf16);
    const std::size_t unitSize = utf16 ? 2 : 1;
    if (!CanHold(length, unitSize))
        return {};
    const std::uint8_t* const start = m_pData + m_nPos;
    m_nPos += length * unitSize;
    if (!utf16)
        return std::string(reinterpret_cast<const char*>(start), length);
    std::u16string units(length, u'\0');
    for (std::size_t i = 0; i < length; ++i)
        units[i] = static_cast<char16_t>(start[2 * i] | start[2 * i + 1] << 8);
    return Use<TextService>().Utf16ToAnsi(units);
}

ArchiveReader::Tag ArchiveReader::ReadTag() {
    const std::uint16_t shortTag = ReadU16();
    if (shortTag == kNewClassTag)
        return {Tag::NewClass, 0};
    if (shortTag == kLargeTag) {
        const std::uint32_t largeTag = ReadU32();
        if ((largeTag & kLargeClassTag) != 0)
            return {Tag::ClassIndex, largeTag & ~kLargeClassTag};
        return {Tag::Object, largeTag};
    }
    if ((shortTag & kClassTag) != 0)
        return {Tag::ClassIndex, static_cast<std::uint32_t>(shortTag & ~kClassTag)};
    return {Tag::Object, shortTag};
}

const MenuClass* ArchiveReader::ReadClassDescription() {
    const std::uint16_t schema = ReadU16();
    const std::uint16_t nameLength = ReadU16();
    if (Failed())
        return nullptr;
    if (nameLength > kMaxClassNameLength) {
        Fail(ArchiveError::badClass);
        return nullptr;
    }
    if (!CanHold(nameLength, 1))
        return nullptr;
    const std::string_view name(reinterpret_cast<const char*>(m_pData + m_nPos), nameLength);
    m_nPos += nameLength;
    const MenuClass* cls = FindMenuClass(name);
    if (cls == nullptr) {
        Fail(ArchiveError::badClass);
        return nullptr;
    }
    if (schema != cls->schema) {
        Fail(ArchiveError::badSchema);
        return nullptr;
    }
    m_classes.push_back({++m_nIndexed, cls});
    return cls;
}

const MenuClass* ArchiveReader::ReadObjectClass(const Tag& tag) {
    if (Failed())
        return nullptr;
    switch (tag.kind) {
    case Tag::NewClass:
        return ReadClassDescription();
    case Tag::ClassIndex: {
        // An index that names an object where a class is needed is as
        // unusable as one that names nothing.
        const auto named = std::lower_bound(
            m_classes.begin(), m_classes.end(), tag.index,
            [](const IndexedClass& indexed, std::size_t index) { return indexed.index < index; });
        if (named == m_classes.end() || named->index != tag.index) {
            Fail(ArchiveError::badIndex);
            return nullptr;
        }
        return named->cls;
    }
    case Tag::Object:
        // Every entry of a tree is a new object: a null or repeated one would
        // leave a tree with a missing or shared entry.
        Fail(ArchiveError::badIndex);
        return nullptr;
    }
    return nullptr;
}

std::unique_ptr<CMenuData> ArchiveReader::ReadObject() {
    const Tag tag = ReadTag();
    if (tag.kind == Tag::Object && tag.index == 0 && !Failed()) {
        Fail(ArchiveError::noObject);
        return nullptr;
    }
    const MenuClass* cls = ReadObjectClass(tag);
    if (cls == nullptr)
        return nullptr;
    if (!cls->IsDerivedFrom(kMenuDataClass)) {
        Fail(ArchiveError::badClass);
        return nullptr;
    }
    ++m_nIndexed;
    auto menu = std::make_unique<CMenuData>();
    menu->Serialize(*this);
    if (Failed())
        return nullptr;
    return menu;
}

void ArchiveReader::ReadChildren(CMenuPopUp& popUp) {
    const std::uint32_t count = ReadU32();
    if (!CanHold(count, kMinEntryBytes))
        return;
    if (count <= m_nUnclaimedEntries) {
        popUp.m_arrChildren.reserve(count);
        m_nUnclaimedEntries -= count;
    }
    m_pending.push_back({&popUp, count});
    // A body read from the loop below only queues its children; the
    // outermost call reads them all.
    if (!m_bReadingPending)
        ReadPendingEntries();
}

void ArchiveReader::ReadPendingEntries() {
    m_bReadingPending = true;
    while (!m_pending.empty() && !Failed()) {
        Pending& top = m_pending.back();
        if (top.left == 0) {
            m_pending.pop_back();
            continue;
        }
        --top.left;
        CMenuPopUp& parent = *top.popUp;
        const MenuClass* cls = ReadObjectClass(ReadTag());
        if (cls == nullptr)
            break;
        // Only menu entries belong in a tree; a whole menu does not.
        if (cls->createEntry == nullptr || !cls->IsDerivedFrom(kMenuItemClass)) {
            Fail(ArchiveError::badClass);
            break;
        }
        ++m_nIndexed;
        parent.m_arrChildren.push_back(cls->createEntry());
        // May queue this entry's own children, which are then read before
        // its later siblings: menu order, depth first.
        parent.m_arrChildren.back()->Serialize(*this);
    }
    m_pending.clear();
    m_bReadingPending = false;
}
