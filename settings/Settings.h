#pragma once

#include "platform/ClockService.h"
#include "platform/HttpValidators.h"
#include "platform/RegistryService.h"
#include "settings/DueRule.h"

#include <cstdint>
#include <string>

// The user's settings and the stored menu, kept in the registry under
// HKEY_CURRENT_USER\Software\Vellinor, and the one scheduling question of the
// program: is a check of the server due now? The key is open only while one
// operation runs; every setting is written the moment it changes.
class CSettings {
public:
    // The built-in defaults, with the last query counted from startTime, the
    // moment the program started.
    explicit CSettings(TimeValue startTime);
    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;
    ~CSettings();

    // Back to the built-in defaults of a program started at startTime.
    void RestoreDefaults(TimeValue startTime);

    // Reads the settings and replaces g_pMenuData by the stored menu (a new
    // empty tree when there is none usable). When the key does not exist this
    // is the first run: the preferences dialog runs in its first-run mode and
    // nothing is read.
    void Load();
    // Stores the tree g_pMenuData points to in "MenuData"; failures are silent.
    void SaveMenu();

    // The edition of the stored menu as the server named it, when the menu
    // was downloaded from address; none when it came from anywhere else.
    HttpValidators StoredValidatorsFor(const std::string& address);
    // Keeps the edition of the menu now stored and where it came from.
    void StoreValidators(const std::string& address, const HttpValidators& validators);

    bool IsCheckDue() const;
    // The last query is now, and stored, even when the time has not changed.
    void RecordQueryTime();
    // The last query time as local "M/d/yy H:mm:ss"; empty when it cannot be
    // turned into a local time.
    std::string GetLastQueryText() const;

    // Each setter touches the registry only when the value differs.
    void SetPromptBeforeCheck(bool bPrompt);
    void SetPromptBeforeConnect(bool bPrompt);
    void SetOpenNewBrowserWindow(bool bNewWindow);
    void SetQueryInterval(int nInterval);

    // Runs the preferences dialog; true when it ended with OK.
    bool EditPreferences(bool bFirstRun);

    RegistryKey m_hKey = nullptr;
    bool m_bPromptBeforeCheck;
    bool m_bPromptBeforeConnect;
    bool m_bOpenNewBrowserWindow;
    int m_nQueryInterval; // a QueryInterval code, or any other value for never
    TimeValue m_timeLastQuery;

private:
    bool OpenKey(bool bReadOnly);
    void CloseKey();
    void LoadMenu(RegistryKey key);
    // One four-byte value of the open key; false when it is missing, cannot be
    // read or is longer than four bytes. Its type is not looked at.
    bool ReadDword(const char* name, std::uint32_t& value);

    void WritePromptBeforeCheck();
    void WritePromptBeforeConnect();
    void WriteOpenNewBrowserWindow();
    void WriteQueryInterval();
    void WriteLastQuery();
    void WriteDword(const char* name, std::uint32_t value);
};

extern CSettings g_settings;
