#include "app/CurrentMenu.h"
#include "menu/MenuArchive.h"
#include "menu/MenuData.h"
#include "platform/DialogService.h"
#include "platform/RegistryText.h"
#include "platform/Services.h"
#include "platform/win32/Win32Platform.h"
#include "settings/Settings.h"
#include "tests/win32/ServiceChecks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

// The settings store writes and reads the real registry through the Win32
// registry service; the registry's own calls tell what it holds.

namespace {

const char kKey[] = "Software\\Vellinor";
const char kTextKey[] = "Software\\VellinorServicesTest";

// The real clock's local time, standing still at the moment to record.
class StoppedClock : public Win32Clock {
public:
    explicit StoppedClock(TimeValue now) : m_now(now) {}
    TimeValue Now() override { return m_now; }

private:
    TimeValue m_now;
};

// Loading shows the preferences dialog only on a first run; this program has
// no use for it, so it notes the template instead.
class FirstRunReport : public DialogService {
public:
    int RunModal(unsigned templateId, DialogHandler&) override {
        shown = templateId;
        return kFailed;
    }

    unsigned shown = 0;
};

std::string Hex(const void* data, std::size_t size) {
    std::string hex;
    char digits[3];
    for (std::size_t i = 0; i < size; ++i)
        hex.append(digits, std::snprintf(digits, sizeof digits, "%02X",
                                         static_cast<const unsigned char*>(data)[i]));
    return hex;
}

// Every value of the key as "NAME TYPE BYTES;", sorted, text in the UTF-16
// the registry keeps; "" when there is no key.
std::string Stored(const char* path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "";
    std::vector<std::string> values;
    std::vector<BYTE> data(1 << 17);
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = 256, size = static_cast<DWORD>(data.size()), type = 0;
        if (::RegEnumValueW(key, i, name, &nameSize, nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS)
            break;
        values.push_back(std::string(name, name + nameSize) + " " + std::to_string(type) + " " +
                         Hex(data.data(), size) + ";");
    }
    ::RegCloseKey(key);
    std::sort(values.begin(), values.end());
    std::string all;
    for (const std::string& value : values)
        all += value;
    return all;
}

void Put(const char* name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr);
    ::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                     static_cast<DWORD>(bytes.size()));
    ::RegCloseKey(key);
}

// What a fresh start loads.
std::string Loaded() {
    g_settings.RestoreDefaults(0);
    g_settings.Load();
    char text[256];
    std::snprintf(
        text, sizeof text, "check %d connect %d window %d interval %d last %lld %s menu %u of %u",
        g_settings.m_bPromptBeforeCheck, g_settings.m_bPromptBeforeConnect,
        g_settings.m_bOpenNewBrowserWindow, g_settings.m_nQueryInterval,
        static_cast<long long>(g_settings.m_timeLastQuery), g_settings.GetLastQueryText().c_str(),
        static_cast<unsigned>(g_pMenuData->m_wMenuNumber),
        static_cast<unsigned>(g_pMenuData->m_rootPopUp.m_arrChildren.size()));
    return text;
}

void ExpectEqual(const std::string& shown, const std::string& expected, const std::string& what) {
    Expect(shown == expected,
           what + ": [" + shown + "]" + (shown == expected ? "" : " expected [" + expected + "]"));
}

} // namespace

void CheckRegistry(const char* menuFile, const std::string& packed) {
    Win32Platform platform;
    Win32Clock clock;
    FirstRunReport firstRun;
    Provide<DialogService>(&firstRun);
    g_pMenuData = new CMenuData;

    Loaded();
    Expect(firstRun.shown == 133 && Stored(kKey).empty(),
           "without a key, loading shows the preferences, template 133, and creates nothing");

    // The menu as an update stores it, and settings changed from their
    // built-in values but the connect prompt's, which is written only when
    // changed. 3,000,000,000 is 2065-01-24 05:20:00 UTC, past the signed
    // 32-bit range.
    std::ifstream in(menuFile, std::ios::binary);
    const std::string menu((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Expect(g_pMenuData->ParseText(0, menu.data(), menu.size()) == 0 && g_pMenuData->BuildMenu(),
           "the menu file parses into a pop-up menu");
    StoppedClock then(3000000000);
    Provide<ClockService>(&then);
    g_settings.SetQueryInterval(QueryInterval::kMonthly);
    g_settings.SetOpenNewBrowserWindow(true);
    g_settings.SetPromptBeforeCheck(false);
    g_settings.SetPromptBeforeConnect(true);
    g_settings.RecordQueryTime();
    g_settings.SaveMenu();
    Provide<ClockService>(&clock);
    ExpectEqual(Stored(kKey),
                "LastQuery 4 005ED0B2;MenuData 3 " + packed +
                    ";OpenNewBrowserWindow 4 01000000;PromptBeforeCheck 4 00000000;QueryInterval 4 "
                    "03000000;",
                "stored values: DWORDs, and the menu as the maker's tool packs it");
    ExpectEqual(
        Loaded(),
        "check 0 connect 1 window 1 interval 3 last 3000000000 1/24/65 10:50:00 menu 37 of 3",
        "read back");
    Expect(!g_settings.IsCheckDue(), "a monthly check is not due before its time");
    const std::vector<std::uint8_t> archive = WriteMenuArchive(*g_pMenuData);
    ExpectEqual(Hex(archive.data(), archive.size()), packed, "the menu read back");

    // Text stored without its terminating zero, as another program may leave
    // it, reads as the whole text. The system counts a zero that follows the
    // given length into the value, so the text is followed by something else.
    const std::wstring text = L"Written without its zero!";
    HKEY key = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kTextKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr);
    ::RegSetValueExW(key, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                     static_cast<DWORD>(2 * text.size() - 2));
    ::RegCloseKey(key);
    std::string read;
    ExpectEqual(
        Stored(kTextKey) +
            (ReadRegistryText(RegistryRoot::CurrentUser, kTextKey, "Text", read) ? read : "none"),
        "Text 1 " + Hex(text.data(), 2 * text.size() - 2) + ";Written without its zero",
        "text without its zero read back");

    // Text "0" in a flag is two bytes and not zero; eight bytes and long text
    // cannot be read into four bytes and count as missing; the top DWORD is a
    // time in 2106; text where the menu belongs gives an empty tree.
    Put("PromptBeforeCheck", REG_SZ, std::string("0", 2));
    Put("QueryInterval", REG_QWORD, std::string("\1\0\0\0\0\0\0\0", 8));
    Put("OpenNewBrowserWindow", REG_SZ, "always a new one");
    Put("LastQuery", REG_DWORD, "\xff\xff\xff\xff");
    Put("MenuData", REG_SZ, packed);
    ExpectEqual(Loaded(),
                "check 1 connect 1 window 0 interval 2 last 4294967295 2/7/06 11:58:15 menu 0 of 0",
                "odd values");
    Expect(Stored(kKey).find(";PromptBeforeCheck 1 30000000;") != std::string::npos,
           "odd values are left as they were");

    // A stored menu the archive reader rejects is a missing one.
    const std::string bytes(archive.begin(), archive.end());
    for (const std::string& damaged :
         {bytes.substr(0, bytes.size() - 1), std::string(1, '\0'), bytes.substr(0, 20)}) {
        Put("MenuData", REG_BINARY, damaged);
        const std::string loaded = Loaded();
        ExpectEqual(loaded.substr(loaded.find(" menu ")), " menu 0 of 0",
                    "a damaged menu of " + std::to_string(damaged.size()) + " bytes");
    }

    // Text into the code page, with '?' for what it lacks.
    const std::string ansi = Use<TextService>().Utf16ToAnsi(u"Caf\u00E9 \u4E2D");
    ExpectEqual(Use<ProgramService>().ProgramName() + " " + Hex(ansi.data(), ansi.size()),
                "vellinor-win32-services-test 436166E9203F", "the program's name and ANSI text");

    delete g_pMenuData;
    g_pMenuData = nullptr;
}
