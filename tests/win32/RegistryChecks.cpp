#include "platform/RegistryText.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32Registry.h"
#include "settings/Settings.h"
#include "tests/win32/ServiceChecks.h"

#include <cstdio>

// The settings store reads the real registry through the Win32 registry
// service, from values written as another program may leave them; the
// registry's own calls tell what it holds.
void CheckRegistry() {
    Win32Platform platform;
    const char path[] = "Software\\Vellinor";
    HKEY created = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE,
                      nullptr, &created, nullptr);
    const UniqueRegistryKey key(created);
    const auto put = [&key](const wchar_t* name, DWORD type, const void* data, DWORD size) {
        ::RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), size);
    };
    // "TYPE SIZE" of a value as the registry holds it, text in UTF-16.
    const auto held = [&key](const wchar_t* name) {
        DWORD type = REG_NONE, size = 0;
        ::RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &size);
        return std::to_string(type) + " " + std::to_string(size);
    };

    // Text stored without its terminating zero reads as the whole text. The
    // system counts a zero that follows the given length into the value, so
    // the text is followed by something else.
    const std::wstring text = L"Written without its zero!";
    put(L"Text", REG_SZ, text.data(), 2 * text.size() - 2);
    std::string read;
    const bool readBack = ReadRegistryText(RegistryRoot::CurrentUser, path, "Text", read);
    Expect(readBack && read == "Written without its zero" && held(L"Text") == "1 48",
           "text held as " + held(L"Text") + " without its zero read back: [" + read + "]");

    // Text "0" in a flag is two bytes and not zero; eight bytes and long text
    // cannot be read into four bytes and count as missing; the top DWORD is a
    // time in 2106, past the signed 32-bit range. Loading leaves them as they
    // are.
    put(L"PromptBeforeCheck", REG_SZ, L"0", 4);
    put(L"QueryInterval", REG_QWORD, "\1\0\0\0\0\0\0\0", 8);
    put(L"OpenNewBrowserWindow", REG_SZ, L"always a new one", 34);
    put(L"LastQuery", REG_DWORD, "\xff\xff\xff\xff", 4);
    g_settings.Load();
    char loaded[128];
    std::snprintf(loaded, sizeof loaded, "check %d window %d interval %d last %lld %s, held as %s",
                  g_settings.m_bPromptBeforeCheck, g_settings.m_bOpenNewBrowserWindow,
                  g_settings.m_nQueryInterval, static_cast<long long>(g_settings.m_timeLastQuery),
                  g_settings.GetLastQueryText().c_str(), held(L"PromptBeforeCheck").c_str());
    Expect(std::string(loaded) ==
               "check 1 window 0 interval 2 last 4294967295 2/7/06 11:58:15, held as 1 4",
           std::string("odd values, left as they were: ") + loaded);
}
