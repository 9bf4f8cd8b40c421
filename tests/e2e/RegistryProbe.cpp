// Stores settings and a menu through CSettings into the real registry, and
// reads them back, for tests/e2e/registry.test.sh.
//
//   registry-probe store MENU-TEXT-FILE LAST-QUERY
//       parses the menu file, builds its pop-up menu (which numbers the sites)
//       and stores it, as an update does; changes the interval to monthly,
//       the browser window to a new one and the check prompt to off, leaves
//       the connect prompt on; records LAST-QUERY (seconds since 1970) as the
//       query time; writes the text "Written without its zero" as a REG_SZ
//       with no terminating zero to HKCU\Software\VellinorProbe "Text".
//   registry-probe show
//       loads the settings and the stored menu and prints them, one
//       NAME=VALUE line each, and the probe text read back; or prints
//       "FirstRun=133" when loading ran the preferences dialog.
//   registry-probe names
//       prints the program's own name and, in hexadecimal, what "Café 中"
//       becomes in the ANSI code page.
#include "ProcessEnd.h"
#include "app/CurrentMenu.h"
#include "menu/MenuArchive.h"
#include "menu/MenuData.h"
#include "platform/DialogService.h"
#include "platform/ProgramService.h"
#include "platform/RegistryText.h"
#include "platform/Services.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Platform.h"
#include "settings/Settings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const char kProbeKey[] = "Software\\VellinorProbe";
const char kProbeText[] = "Written without its zero";

// The real clock's local time, standing still at the moment to record.
class StoppedClock : public Win32Clock {
public:
    explicit StoppedClock(TimeValue now) : m_now(now) {}
    TimeValue Now() override { return m_now; }

private:
    TimeValue m_now;
};

// Loading shows the preferences dialog only on a first run; the probe has no
// window, so it reports the dialog instead of showing it.
class FirstRunReport : public DialogService {
public:
    int RunModal(unsigned templateId, DialogHandler&) override {
        std::printf("FirstRun=%u\n", templateId);
        return kFailed;
    }
};

int Store(const char* menuFile, const char* lastQuery) {
    std::ifstream in(menuFile, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (g_pMenuData->ParseText(0, text.data(), text.size()) != 0 || !g_pMenuData->BuildMenu()) {
        std::printf("the menu file does not parse into a pop-up menu\n");
        return 1;
    }
    StoppedClock clock(std::strtoll(lastQuery, nullptr, 10));
    Provide<ClockService>(&clock);
    g_settings.SetQueryInterval(QueryInterval::kMonthly);
    g_settings.SetOpenNewBrowserWindow(true);
    g_settings.SetPromptBeforeCheck(false);
    g_settings.SetPromptBeforeConnect(true);
    g_settings.RecordQueryTime();
    g_settings.SaveMenu();
    Provide<ClockService>(nullptr);

    RegistryService& registry = Use<RegistryService>();
    const RegistryKey key = registry.CreateKey(RegistryRoot::CurrentUser, kProbeKey);
    const bool written = key != nullptr && registry.SetValue(key, "Text", RegistryType::String,
                                                             kProbeText, std::strlen(kProbeText));
    if (key != nullptr)
        registry.CloseKey(key);
    std::printf("stored\n");
    return written ? 0 : 1;
}

template <typename Bytes> std::string Hex(const Bytes& bytes) {
    std::string hex;
    char digits[3];
    for (const auto byte : bytes)
        hex.append(digits,
                   std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(byte)));
    return hex;
}

int Show() {
    g_settings.Load();
    std::printf("PromptBeforeCheck=%d\n", g_settings.m_bPromptBeforeCheck ? 1 : 0);
    std::printf("PromptBeforeConnect=%d\n", g_settings.m_bPromptBeforeConnect ? 1 : 0);
    std::printf("OpenNewBrowserWindow=%d\n", g_settings.m_bOpenNewBrowserWindow ? 1 : 0);
    std::printf("QueryInterval=%d\n", g_settings.m_nQueryInterval);
    std::printf("LastQuery=%lld\n", static_cast<long long>(g_settings.m_timeLastQuery));
    std::printf("LastQueryText=%s\n", g_settings.GetLastQueryText().c_str());
    std::printf("DueNow=%d\n", g_settings.IsCheckDue() ? 1 : 0);
    std::printf("MenuNumber=%u\n", static_cast<unsigned>(g_pMenuData->m_wMenuNumber));
    std::printf("MenuEntries=%u\n",
                static_cast<unsigned>(g_pMenuData->m_rootPopUp.m_arrChildren.size()));
    std::printf("MenuData=%s\n", Hex(WriteMenuArchive(*g_pMenuData)).c_str());
    std::string text;
    if (ReadRegistryText(RegistryRoot::CurrentUser, kProbeKey, "Text", text))
        std::printf("ProbeText=%s\n", text.c_str());
    return 0;
}

int Names() {
    std::printf("ProgramName=%s\n", Use<ProgramService>().ProgramName().c_str());
    std::printf("Ansi=%s\n", Hex(Use<TextService>().Utf16ToAnsi(u"Caf\u00E9 \u4E2D")).c_str());
    return 0;
}

int Run(int argc, char** argv) {
    Win32Platform platform;
    FirstRunReport firstRun;
    Provide<DialogService>(&firstRun);
    g_pMenuData = new CMenuData;

    int status = 2;
    if (argc == 4 && std::strcmp(argv[1], "store") == 0)
        status = Store(argv[2], argv[3]);
    else if (argc == 2 && std::strcmp(argv[1], "show") == 0)
        status = Show();
    else if (argc == 2 && std::strcmp(argv[1], "names") == 0)
        status = Names();
    else
        std::printf("usage: registry-probe store MENU-TEXT-FILE LAST-QUERY | show | names\n");

    delete g_pMenuData;
    g_pMenuData = nullptr;
    return status;
}

} // namespace

int main(int argc, char** argv) {
    EndProcess(Run(argc, argv));
}
