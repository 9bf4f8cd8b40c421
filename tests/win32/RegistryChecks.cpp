#include "platform/RegistryText.h"
#include "platform/Services.h"
#include "platform/win32/Win32Platform.h"
#include "settings/Settings.h"
#include "tests/win32/ServiceChecks.h"

#include <cstdio>

// The settings store reads the real registry through the Win32 registry
// service, from values written as another program may leave them; the
// registry's own calls tell what it holds.

namespace {

const char kKey[] = "Software\\Vellinor";

std::string Hex(const void* data, std::size_t size) {
    std::string hex;
    char digits[3];
    for (std::size_t i = 0; i < size; ++i)
        hex.append(digits, std::snprintf(digits, sizeof digits, "%02X",
                                         static_cast<const unsigned char*>(data)[i]));
    return hex;
}

void Put(const wchar_t* name, DWORD type, const void* data, std::size_t size) {
    HKEY key = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr);
    ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
    ::RegCloseKey(key);
}

// "TYPE BYTES" of the value as the registry holds it, text in UTF-16.
std::string Held(const wchar_t* name) {
    HKEY key = nullptr;
    BYTE data[256];
    DWORD size = sizeof data, type = REG_NONE;
    ::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key);
    const bool read = ::RegQueryValueExW(key, name, nullptr, &type, data, &size) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return read ? std::to_string(type) + " " + Hex(data, size) : "none";
}

} // namespace

void CheckRegistry() {
    Win32Platform platform;

    // Text stored without its terminating zero reads as the whole text. The
    // system counts a zero that follows the given length into the value, so
    // the text is followed by something else.
    const std::wstring text = L"Written without its zero!";
    Put(L"Text", REG_SZ, text.data(), 2 * text.size() - 2);
    std::string read;
    ExpectEqual(
        Held(L"Text") + ";" +
            (ReadRegistryText(RegistryRoot::CurrentUser, kKey, "Text", read) ? read : "none"),
        "1 " + Hex(text.data(), 2 * text.size() - 2) + ";Written without its zero",
        "text without its zero read back");

    // Text "0" in a flag is two bytes and not zero; eight bytes and long text
    // cannot be read into four bytes and count as missing; the top DWORD is a
    // time in 2106, past the signed 32-bit range. Loading leaves them as they
    // are.
    Put(L"PromptBeforeCheck", REG_SZ, L"0", 4);
    Put(L"QueryInterval", REG_QWORD, "\1\0\0\0\0\0\0\0", 8);
    Put(L"OpenNewBrowserWindow", REG_SZ, L"always a new one", 34);
    Put(L"LastQuery", REG_DWORD, "\xff\xff\xff\xff", 4);
    g_settings.Load();
    char loaded[128];
    std::snprintf(loaded, sizeof loaded, "check %d window %d interval %d last %lld %s",
                  g_settings.m_bPromptBeforeCheck, g_settings.m_bOpenNewBrowserWindow,
                  g_settings.m_nQueryInterval, static_cast<long long>(g_settings.m_timeLastQuery),
                  g_settings.GetLastQueryText().c_str());
    ExpectEqual(loaded + (";" + Held(L"PromptBeforeCheck")),
                "check 1 window 0 interval 2 last 4294967295 2/7/06 11:58:15;1 30000000",
                "odd values, left as they were");
}
