#include "menu/ArchiveWriter.h"

#include "menu/ArchiveFormat.h"
#include "menu/MenuClass.h"
#include "menu/MenuData.h"

using namespace archive_format;

void ArchiveWriter::WriteU8(std::uint8_t value) {
    m_bytes.push_back(value);
}

void ArchiveWriter::WriteU16(std::uint16_t value) {
    WriteU8(static_cast<std::uint8_t>(value));
    WriteU8(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::WriteU32(std::uint32_t value) {
    WriteU16(static_cast<std::uint16_t>(value));
    WriteU16(static_cast<std::uint16_t>(value >> 16));
}

void ArchiveWriter::WriteI32(std::int32_t value) {
    WriteU32(static_cast<std::uint32_t>(value));
}

void ArchiveWriter::WriteString(std::string_view text) {
    const std::size_t length = text.size();
    if (length < kLongLength) {
        WriteU8(static_cast<std::uint8_t>(length));
    } else {
        WriteU8(kLongLength);
        // 0xFFFE would read as the UTF-16 marker, so it takes the long form.
        if (length < kUtf16Marker) {
            WriteU16(static_cast<std::uint16_t>(length));
        } else {
            WriteU16(kHugeLength);
            WriteU32(static_cast<std::uint32_t>(length));
        }
    }
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
}

void ArchiveWriter::WriteObjectTag(const MenuClass& cls) {
    for (const auto& [known, index] : m_classIndexes) {
        if (known != &cls)
            continue;
        if (index <= kMaxShortIndex) {
            WriteU16(static_cast<std::uint16_t>(kClassTag + index));
        } else {
            WriteU16(kLargeTag);
            WriteU32(kLargeClassTag + index);
        }
        ++m_nLastIndex; // the object's own index
        return;
    }
    WriteU16(kNewClassTag);
    WriteU16(cls.schema);
    WriteU16(static_cast<std::uint16_t>(cls.name.size()));
    m_bytes.insert(m_bytes.end(), cls.name.begin(), cls.name.end());
    m_classIndexes.emplace_back(&cls, ++m_nLastIndex);
    ++m_nLastIndex; // the object's own index
}

void ArchiveWriter::WriteObject(const CMenuData& menu) {
    WriteObjectTag(menu.GetRuntimeClass());
    menu.Serialize(*this);
}

void ArchiveWriter::WriteChildren(const CMenuPopUp& popUp) {
    std::uint32_t count = 0;
    for (const auto& child : popUp.m_arrChildren)
        count += child != nullptr ? 1 : 0;
    WriteU32(count);
    m_pending.push_back({&popUp, 0});
    // A body written from the loop below only queues its children; the
    // outermost call writes them all.
    if (!m_bWritingPending)
        WritePendingEntries();
}

void ArchiveWriter::WritePendingEntries() {
    m_bWritingPending = true;
    while (!m_pending.empty()) {
        Pending& top = m_pending.back();
        const auto& children = top.popUp->m_arrChildren;
        if (top.next == children.size()) {
            m_pending.pop_back();
            continue;
        }
        const CMenuItem* child = children[top.next++].get();
        if (child == nullptr)
            continue;
        // May push this child's own children, which then come before its
        // later siblings: menu order, depth first.
        WriteObjectTag(child->GetRuntimeClass());
        child->Serialize(*this);
    }
    m_bWritingPending = false;
}
