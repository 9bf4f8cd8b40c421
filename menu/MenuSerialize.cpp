// The body each menu class writes to and reads from the stored form of the
// menu. A sub-menu's children follow its body; the archive reads and writes
// them itself, so no body calls another.
#include "menu/ArchiveFormat.h"
#include "menu/ArchiveReader.h"
#include "menu/ArchiveWriter.h"
#include "menu/MenuData.h"
#include "menu/MenuSite.h"

void CMenuItem::Serialize(ArchiveWriter& ar) const {
    ar.WriteString(m_strCaption);
}

void CMenuItem::Serialize(ArchiveReader& ar) {
    m_strCaption = ar.ReadString();
}

void CMenuSite::Serialize(ArchiveWriter& ar) const {
    CMenuItem::Serialize(ar);
    ar.WriteString(m_strUrl);
    ar.WriteI32(m_nCommandId);
}

void CMenuSite::Serialize(ArchiveReader& ar) {
    CMenuItem::Serialize(ar);
    m_strUrl = ar.ReadString();
    m_nCommandId = ar.ReadI32();
}

void CMenuPopUp::Serialize(ArchiveWriter& ar) const {
    CMenuItem::Serialize(ar);
    ar.WriteChildren(*this);
}

void CMenuPopUp::Serialize(ArchiveReader& ar) {
    CMenuItem::Serialize(ar);
    ar.ReadChildren(*this);
}

void CMenuData::Serialize(ArchiveWriter& ar) const {
    ar.WriteU16(archive_format::kMenuDataVersion);
    ar.WriteU16(m_wMenuNumber);
    // The root has no tag of its own: its body stands inside this one.
    m_rootPopUp.Serialize(ar);
}

void CMenuData::Serialize(ArchiveReader& ar) {
    Clear();
    // A menu stored in another format is read as an empty one, not as a fault.
    if (ar.ReadU16() != archive_format::kMenuDataVersion)
        return;
    m_wMenuNumber = ar.ReadU16();
    m_rootPopUp.Serialize(ar);
}
