#include "settings/Settings.h"

#include "app/CurrentMenu.h"
#include "menu/MenuArchive.h"
#include "platform/RegistryText.h"
#include "platform/Services.h"
#include "settings/PreferencesDlg.h"
#include "settings/QueryTimeText.h"

#include <ctime>
#include <memory>
#include <new>
#include <vector>

namespace {

const char kKeyPath[] = "Software\\Vellinor";
const char kPromptBeforeCheck[] = "PromptBeforeCheck";
const char kPromptBeforeConnect[] = "PromptBeforeConnect";
const char kOpenNewBrowserWindow[] = "OpenNewBrowserWindow";
const char kQueryInterval[] = "QueryInterval";
const char kLastQuery[] = "LastQuery";
const char kMenuData[] = "MenuData";
const char kMenuETag[] = "MenuETag";
const char kMenuLastModified[] = "MenuLastModified";
const char kMenuSource[] = "MenuSource";

std::string StoredText(const char* name) {
    std::string text;
    ReadRegistryText(RegistryRoot::CurrentUser, kKeyPath, name, text);
    return text;
}

// The tree stored in "MenuData" of the open key; null when there is none that
// can be used. A value the archive reader rejects (empty, cut short, damaged
// or written by something else) counts as missing, so start-up goes on to the
// first-run setup instead of stopping.
std::unique_ptr<CMenuData> ReadStoredMenu(RegistryKey key) {
    RegistryService& registry = Use<RegistryService>();
    RegistryType type = RegistryType::Other;
    std::size_t size = 0;
    if (!registry.QueryValueInfo(key, kMenuData, type, size) || type != RegistryType::Binary)
        return nullptr;
    const std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[size]);
    if (buffer == nullptr || !registry.QueryValue(key, kMenuData, type, buffer.get(), size))
        return nullptr;
    return ReadMenuArchive(buffer.get(), size).menu;
}

} // namespace

CSettings g_settings{static_cast<TimeValue>(std::time(nullptr))};

CSettings::CSettings(TimeValue startTime) {
    RestoreDefaults(startTime);
}

CSettings::~CSettings() {
    CloseKey();
}

void CSettings::RestoreDefaults(TimeValue startTime) {
    m_bPromptBeforeCheck = true;
    m_bPromptBeforeConnect = true;
    m_bOpenNewBrowserWindow = false;
    m_nQueryInterval = QueryInterval::kWeekly;
    m_timeLastQuery = startTime;
}

bool CSettings::OpenKey(bool bReadOnly) {
    RegistryService& registry = Use<RegistryService>();
    const RegistryKey key = bReadOnly ? registry.OpenKey(RegistryRoot::CurrentUser, kKeyPath)
                                      : registry.CreateKey(RegistryRoot::CurrentUser, kKeyPath);
    if (key == nullptr)
        return false;
    CloseKey();
    m_hKey = key;
    return true;
}

void CSettings::CloseKey() {
    if (m_hKey == nullptr)
        return;
    Use<RegistryService>().CloseKey(m_hKey);
    m_hKey = nullptr;
}

void CSettings::Load() {
    if (!OpenKey(true)) {
        EditPreferences(true);
        return;
    }
    std::uint32_t value = 0;
    if (ReadDword(kPromptBeforeCheck, value))
        m_bPromptBeforeCheck = value != 0;
    if (ReadDword(kPromptBeforeConnect, value))
        m_bPromptBeforeConnect = value != 0;
    if (ReadDword(kOpenNewBrowserWindow, value))
        m_bOpenNewBrowserWindow = value != 0;
    if (ReadDword(kQueryInterval, value))
        m_nQueryInterval = static_cast<std::int32_t>(value);
    // Unsigned, so that the stored 32 bits keep meaning a time up to 2106.
    if (ReadDword(kLastQuery, value))
        m_timeLastQuery = value;
    LoadMenu(m_hKey);
    CloseKey();
}

bool CSettings::ReadDword(const char* name, std::uint32_t& value) {
    std::uint8_t bytes[4] = {};
    std::size_t size = sizeof bytes;
    RegistryType type = RegistryType::Other;
    if (!Use<RegistryService>().QueryValue(m_hKey, name, type, bytes, size))
        return false;
    value = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
            static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return true;
}

void CSettings::LoadMenu(RegistryKey key) {
    delete g_pMenuData;
    g_pMenuData = ReadStoredMenu(key).release();
    if (g_pMenuData == nullptr)
        g_pMenuData = new CMenuData;
}

void CSettings::SaveMenu() {
    if (!OpenKey(false))
        return;
    const std::vector<std::uint8_t> bytes = WriteMenuArchive(*g_pMenuData);
    Use<RegistryService>().SetValue(m_hKey, kMenuData, RegistryType::Binary, bytes.data(),
                                    bytes.size());
    CloseKey();
}

HttpValidators CSettings::StoredValidatorsFor(const std::string& address) {
    if (address.empty() || StoredText(kMenuSource) != address)
        return {};
    return {StoredText(kMenuETag), StoredText(kMenuLastModified)};
}

void CSettings::StoreValidators(const std::string& address, const HttpValidators& validators) {
    if (!OpenKey(false))
        return;
    for (const auto& [name, text] : {std::pair(kMenuETag, &validators.etag),
                                     std::pair(kMenuLastModified, &validators.lastModified),
                                     std::pair(kMenuSource, &address)})
        Use<RegistryService>().SetValue(m_hKey, name, RegistryType::String, text->c_str(),
                                        text->size() + 1);
    CloseKey();
}

bool CSettings::IsCheckDue() const {
    return IsQueryDue(m_nQueryInterval, m_timeLastQuery, Use<ClockService>().Now());
}

void CSettings::RecordQueryTime() {
    m_timeLastQuery = Use<ClockService>().Now();
    WriteLastQuery();
}

std::string CSettings::GetLastQueryText() const {
    std::tm local{};
    if (!Use<ClockService>().ToLocalTime(m_timeLastQuery, local))
        return {};
    return FormatShortDateTime(local);
}

void CSettings::SetPromptBeforeCheck(bool bPrompt) {
    if (m_bPromptBeforeCheck == bPrompt)
        return;
    m_bPromptBeforeCheck = bPrompt;
    WritePromptBeforeCheck();
}

void CSettings::SetPromptBeforeConnect(bool bPrompt) {
    if (m_bPromptBeforeConnect == bPrompt)
        return;
    m_bPromptBeforeConnect = bPrompt;
    WritePromptBeforeConnect();
}

void CSettings::SetOpenNewBrowserWindow(bool bNewWindow) {
    if (m_bOpenNewBrowserWindow == bNewWindow)
        return;
    m_bOpenNewBrowserWindow = bNewWindow;
    WriteOpenNewBrowserWindow();
}

void CSettings::SetQueryInterval(int nInterval) {
    if (m_nQueryInterval == nInterval)
        return;
    m_nQueryInterval = nInterval;
    WriteQueryInterval();
}

bool CSettings::EditPreferences(bool bFirstRun) {
    CPreferencesDlg dialog(bFirstRun);
    return dialog.DoModal() == DialogHandler::kOk;
}

void CSettings::WritePromptBeforeCheck() {
    WriteDword(kPromptBeforeCheck, m_bPromptBeforeCheck);
}

void CSettings::WritePromptBeforeConnect() {
    WriteDword(kPromptBeforeConnect, m_bPromptBeforeConnect);
}

void CSettings::WriteOpenNewBrowserWindow() {
    WriteDword(kOpenNewBrowserWindow, m_bOpenNewBrowserWindow);
}

void CSettings::WriteQueryInterval() {
    WriteDword(kQueryInterval, static_cast<std::uint32_t>(m_nQueryInterval));
}

// The stored value stays four bytes wide: the low 32 bits of the time, read
// back unsigned.
void CSettings::WriteLastQuery() {
    WriteDword(kLastQuery, static_cast<std::uint32_t>(m_timeLastQuery));
}

void CSettings::WriteDword(const char* name, std::uint32_t value) {
    // When the key can neither be opened nor created, the setting lives on in
    // memory for the rest of the run.
    if (!OpenKey(false))
        return;
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    Use<RegistryService>().SetValue(m_hKey, name, RegistryType::Dword, bytes, sizeof bytes);
    CloseKey();
}
