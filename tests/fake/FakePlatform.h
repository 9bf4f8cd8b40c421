#pragma once

#include "platform/ClockService.h"
#include "platform/DialogService.h"
#include "platform/HttpService.h"
#include "platform/MenuService.h"
#include "platform/MessageService.h"
#include "platform/ModelessDialogService.h"
#include "platform/ProgramService.h"
#include "platform/RegistryService.h"
#include "platform/ShellService.h"
#include "platform/TextService.h"
#include "platform/TimerService.h"
#include "platform/TrayService.h"
#include "platform/WindowService.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Every call a test may count, in order, one line each ("DestroyMenu 3").
struct CallLog {
    void Record(std::string line) { lines.push_back(std::move(line)); }
    const std::vector<std::string>& Lines() const { return lines; }
    // How many lines start with prefix.
    std::size_t Count(const std::string& prefix) const;
    std::vector<std::string> lines;
};

// Pop-up menus in memory, so tests can look at what was built and check that
// every menu is destroyed exactly once. Handles are never reused.
class FakeMenus : public MenuService {
public:
    struct Item {
        enum Kind { Command, Separator, SubMenu } kind;
        int id;             // Command only
        MenuHandle subMenu; // SubMenu only
        std::string text;
    };
    explicit FakeMenus(CallLog& log) : m_log(log) {}

    MenuHandle CreatePopupMenu() override;
    bool AppendCommand(MenuHandle menu, int commandId, const std::string& text) override;
    bool AppendSeparator(MenuHandle menu) override;
    bool AppendSubMenu(MenuHandle menu, MenuHandle subMenu, const std::string& text) override;
    MenuHandle GetSubMenu(MenuHandle menu, int position) override;
    void DestroyMenu(MenuHandle menu) override;
    int GetItemId(MenuHandle menu, int position) override;
    void SetDefaultItem(MenuHandle menu, int position) override;
    bool TrackAtCursor(MenuHandle menu) override;

    // The items of a live menu.
    const std::vector<Item>& ItemsOf(MenuHandle menu) const { return m_menus.at(menu); }
    // One item per line, two spaces per level: "News 1001", "---", "&Reference >".
    std::string Describe(MenuHandle menu, const std::string& indent = "") const;
    std::size_t LiveMenuCount() const { return m_menus.size(); }
    // Calls on a menu that is not alive (never made, or destroyed already).
    int DeadHandleUses() const { return m_deadHandleUses; }

    // Ordinals (1-based, over the whole run) of the CreatePopupMenu and
    // AppendSubMenu calls that fail.
    std::vector<int> failingCreates;
    std::vector<int> failingAttaches;

private:
    std::vector<Item>* Find(MenuHandle menu);
    const Item* At(MenuHandle menu, int position);
    CallLog& m_log;
    std::map<MenuHandle, std::vector<Item>> m_menus;
    int m_creates = 0, m_attaches = 0, m_deadHandleUses = 0;
};

// A clock that stands still, in a POSIX time zone the test picks ("UTC0",
// "EST5EDT,M3.2.0,M11.1.0"). Like the Windows C library it places only moments
// from 1970 to the end of 3000 (UTC) in local time.
struct FakeClock : ClockService {
    static constexpr TimeValue kLatest = 32535215999;
    FakeClock() { SetTimeZone("UTC0"); }
    TimeValue Now() override { return now; }
    bool ToLocalTime(TimeValue time, std::tm& local) override;
    bool FromLocalTime(std::tm local, TimeValue& time) override;
    void SetTimeZone(const char* posixZone);
    // A local date and time (month 1 to 12) in the current zone.
    TimeValue Local(int year, int month, int day, int hour, int minute, int second);
    TimeValue now = 1033387200; // 2002-09-30 12:00:00 UTC
};

// Registry keys by root and path. A key opened for reading cannot be written
// through, and a value is read only into a buffer large enough for it.
class FakeRegistry : public RegistryService {
public:
    static constexpr const char* kSettings = "Software\\Vellinor";
    using Values = std::map<std::string, std::pair<RegistryType, std::vector<std::uint8_t>>>;
    struct KeyValues : Values {
        void SetString(const std::string& name, const std::string& text);
        void SetDword(const std::string& name, std::uint32_t value);
        // The value's four bytes when it is a REG_DWORD of four bytes.
        std::optional<std::uint32_t> Dword(const std::string& name) const;
    };
    RegistryKey OpenKey(RegistryRoot root, const std::string& path) override;
    RegistryKey CreateKey(RegistryRoot root, const std::string& path) override;
    void CloseKey(RegistryKey key) override { m_open.erase(key); }
    bool QueryValueInfo(RegistryKey key, const std::string& name, RegistryType& type,
                        std::size_t& size) override;
    bool QueryValue(RegistryKey key, const std::string& name, RegistryType& type, void* buffer,
                    std::size_t& size) override;
    bool SetValue(RegistryKey key, const std::string& name, RegistryType type, const void* data,
                  std::size_t size) override;

    // The key at path, made when missing.
    KeyValues& Key(RegistryRoot root, const std::string& path) { return keys[Name(root, path)]; }
    // The user's settings, HKEY_CURRENT_USER\Software\Vellinor.
    KeyValues& Settings() { return Key(RegistryRoot::CurrentUser, kSettings); }
    bool HasSettings() const { return keys.count(Name(RegistryRoot::CurrentUser, kSettings)); }
    std::size_t OpenHandles() const { return m_open.size(); }

    std::map<std::string, KeyValues> keys; // by "root\path"
    bool createFails = false;
    int writes = 0; // successful SetValue calls

private:
    static std::string Name(RegistryRoot root, const std::string& path);
    const Values::mapped_type* Find(RegistryKey key, const std::string& name);
    std::map<RegistryKey, std::pair<std::string, bool>> m_open; // key, writable
    std::uintptr_t m_lastHandle = 0;
};

// The controls of one dialog, which exist as soon as they are named (clear,
// visible and enabled), and what a user does to them.
class FakeDialog : public ModelessDialog {
public:
    struct Control {
        bool checked = false, visible = true, enabled = true, titleFont = false;
        std::string text;
    };
    using Controls = std::map<int, Control>;
    explicit FakeDialog(DialogHandler& handler) : m_handler(handler) {}

    bool IsChecked(int id) const override { return controls.count(id) && controls.at(id).checked; }
    void SetChecked(int id, bool checked) override { controls[id].checked = checked; }
    std::string GetText(int id) const override {
        return controls.count(id) ? controls.at(id).text : "";
    }
    void SetText(int id, const std::string& text) override { controls[id].text = text; }
    void Show(int id, bool visible) override { controls[id].visible = visible; }
    void Enable(int id, bool enabled) override { controls[id].enabled = enabled; }
    void SetTitleFont(int id) override { controls[id].titleFont = true; }
    void EndDialog(int result) override { open = false, this->result = result; }
    void Redraw() override { redrawn.push_back(controls); }

    // A click on a push button (OK, Cancel or another), which a hidden or
    // disabled button, or an ended dialog, does not take.
    void Press(int buttonId);
    // Escape: Cancel, even when the Cancel button is hidden.
    void PressEscape() {
        if (open)
            m_handler.OnCancel(*this);
    }

    Controls controls;
    std::vector<Controls> redrawn; // the controls at every Redraw
    bool open = true;
    int result = 0;

private:
    DialogHandler& m_handler;
};

// Modal dialogs answered from scripts, one per run, queued by template; a run
// without one fails at once, and so does one whose script leaves it open.
struct FakeDialogs : DialogService {
    using Script = std::function<void(FakeDialog&)>;
    int RunModal(unsigned templateId, DialogHandler& handler) override;
    std::multimap<unsigned, Script> scripts;
    std::vector<unsigned> runs;      // templates in order
    std::vector<FakeDialog> results; // each as it ended
};

// Modeless windows; each window's controls and repaints are kept after it is gone.
struct FakeModeless : ModelessDialogService {
    std::unique_ptr<ModelessDialog> Create(unsigned templateId, DialogHandler& handler) override;
    bool createSucceeds = true;
    std::map<unsigned, std::vector<int>> disabledAtCreation;
    int created = 0;
    std::vector<FakeDialog> closed; // each window as it was destroyed
};

// A scripted server: every request gets the answer in `next`.
struct FakeHttp : HttpService {
    struct Answer {
        bool sessionFails = false, cannotOpen = false, readFails = false, readTimesOut = false;
        std::string error; // the internet layer's text for a failure
        int status = 200;
        std::string body;
    };
    std::unique_ptr<HttpSession> OpenSession(const std::string&, std::string& error) override;
    Answer next;
    int sessions = 0;
    std::vector<std::string> urls;
    std::size_t largestRead = 0;
};

// The hidden window: tests deliver what it would receive through `events`.
struct FakeWindow : WindowService {
    bool CreateHiddenWindow(const std::string& name, WindowEvents& receiver) override;
    void DestroyHiddenWindow() override;
    WindowHandle HiddenWindowHandle() const override;
    // Runs whileLooping and returns the exit code posted so far.
    int RunMessageLoop() override;
    void PostQuit(int exitCode) override { quitCode = exitCode; }
    void PostNullMessage() override { ++nullMessages; }
    void SetForegroundToHiddenWindow() override { ++foregroundRequests; }
    bool IsHiddenWindowEnabled() const override { return enabled; }
    void EnableHiddenWindow(bool on) override { enabled = on; }
    void Beep(unsigned type) override { beeps.push_back(type); }
    void Sleep(unsigned milliseconds) override { sleeps.push_back(milliseconds); }
    unsigned DoubleClickTimeMs() const override { return 430; }

    WindowEvents* events = nullptr; // null when there is no window
    std::string name;
    unsigned created = 0;
    std::optional<int> quitCode;
    std::function<void()> whileLooping;
    bool enabled = true;
    int nullMessages = 0, foregroundRequests = 0;
    std::vector<unsigned> beeps, sleeps;
};

// Timers that tick when a test fires them. Identifiers are the system's own:
// never the requested one, never used twice.
struct FakeTimers : TimerService {
    void SetSink(TimerSink* to) override { sink = to; }
    unsigned StartTimer(unsigned requestedId, unsigned periodMs) override;
    void StopTimer(unsigned timerId) override { unknownStops += running.erase(timerId) ? 0 : 1; }
    void Fire(unsigned timerId) {
        if (running.count(timerId))
            sink->OnTimer(timerId);
    }
    // The running timer started for requestedId; 0 when there is none.
    unsigned IdFor(unsigned requestedId) const;
    TimerSink* sink = nullptr;
    std::map<unsigned, std::pair<unsigned, unsigned>> running; // id: requested id, period
    unsigned lastId = 0x7ff0;
    bool startSucceeds = true;
    int unknownStops = 0;
};

// The notification area: an icon handle is its resource; adding an icon that
// is there, or changing or deleting one that is not, fails.
struct FakeTray : TrayService {
    IconHandle LoadIcon(unsigned resourceId) override;
    bool AddIcon(const TrayIconRecord& record) override { return Apply(record, false, true); }
    bool ModifyIcon(const TrayIconRecord& record) override { return Apply(record, true, true); }
    bool DeleteIcon(const TrayIconRecord& record) override { return Apply(record, true, false); }
    bool Apply(const TrayIconRecord& record, bool mustBeThere, bool keep);
    // The resource an icon shows; 0 when it is not there.
    unsigned Image(unsigned iconId) const;
    std::map<unsigned, TrayIconRecord> shown;
    std::vector<TrayIconRecord> calls;
};

// Starts nothing: each request is kept.
struct FakeShell : ShellService {
    struct Start {
        std::string commandLine;
    };
    bool ShellOpen(const std::string& address) override;
    // Fails, as the real one does, when the line names no program.
    bool StartProcess(const std::string& commandLine) override;
    std::vector<std::string> opened;
    std::vector<Start> started;
    bool shellOpenSucceeds = true, startProcessSucceeds = true;
};

// Message boxes that close at once, kept as (string, icon) or (text, icon).
struct FakeMessages : MessageService {
    void ShowMessage(unsigned id, unsigned icon) override {
        shown.emplace_back(id, icon), During();
    }
    void ShowText(const std::string& text, unsigned icon) override {
        texts.emplace_back(text, icon), During();
    }
    void During() {
        if (whileShown)
            whileShown();
    }
    std::vector<std::pair<unsigned, unsigned>> shown;
    std::vector<std::pair<std::string, unsigned>> texts;
    std::function<void()> whileShown; // the user, while a box is open
};

// A Western code page: code units up to 0xFF are the byte of that value,
// others '?'.
struct FakeText : TextService {
    explicit FakeText(CallLog& log) : m_log(log) {}
    std::string Utf16ToAnsi(const std::u16string& text) override;
    CallLog& m_log;
};

struct FakeProgram : ProgramService {
    std::string ProgramName() override { return "Vellinor"; }
};

// The whole fake platform, provided to the program while it exists. One per test.
class FakePlatform {
public:
    FakePlatform();
    ~FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    CallLog log;
    FakeMenus menus{log};
    FakeMessages messages;
    FakeText text{log};
    FakeRegistry registry;
    FakeClock clock;
    FakeDialogs dialogs;
    FakeProgram program;
    FakeWindow window;
    FakeTimers timers;
    FakeTray tray;
    FakeShell shell;
    FakeHttp http;
    FakeModeless modeless;
};
