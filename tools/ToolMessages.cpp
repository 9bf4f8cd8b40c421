#include "tools/ToolMessages.h"

#include "app/Version.h"
#include "res/resource.h"

void ToolMessages::ShowMessage(unsigned stringId, unsigned) {
    m_notes << "vellinor-menu: note: the program would show message " << stringId;
    if (stringId == IDS_NEW_VERSION)
        m_notes << " (the version line differs from " << kApplicationVersion
                << ": users are told to download a new version)";
    m_notes << '\n';
}

void ToolMessages::ShowText(const std::string& text, unsigned) {
    m_notes << "vellinor-menu: note: the program would show: " << text << '\n';
}
