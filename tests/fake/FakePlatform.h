#pragma once

#include "platform/ClockService.h"
#include "platform/DialogService.h"
#include "platform/HttpService.h"
#include "platform/MenuService.h"
#include "platform/MessageService.h"
#include "platform/ModelessDialogService.h"
#include "platform/ProgramService.h"
#include "platform/RegistryService.h"
#include "platform/Services.h"
#include "platform/ShellService.h"
#include "platform/TextService.h"
#include "platform/TimerService.h"
#include "platform/TrayService.h"
#include "platform/openssl/OpenSslSignatures.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// A fake service, provided to the program while it exists.
template <class Service> struct Provided : Service {
    Provided() { Provide<Service>(this); }
    ~Provided() override { Provide<Service>(nullptr); }
};

// Pop-up menus in memory, so tests can look at what was built and check that
// every menu is destroyed exactly once. Handles are never reused.
class FakeMenus : public Provided<MenuService> {
public:
    struct Item {
        int id;             // 0 for a separator, -1 for a sub-menu
        MenuHandle subMenu; // sub-menus only
        std::string text;
    };
    MenuHandle CreatePopupMenu() override;
    bool AppendCommand(MenuHandle menu, int commandId, const std::string& text) override {
        return Append(menu, {commandId, nullptr, text});
    }
    bool AppendSeparator(MenuHandle menu) override { return Append(menu, {0, nullptr, {}}); }
    bool AppendSubMenu(MenuHandle menu, MenuHandle subMenu, const std::string& text) override;
    MenuHandle GetSubMenu(MenuHandle menu, int position) override {
        return At(menu, position).subMenu;
    }
    void DestroyMenu(MenuHandle menu) override;
    int GetItemId(MenuHandle menu, int position) override { return At(menu, position).id; }
    void SetDefaultItem(MenuHandle menu, int position) override {
        firstItemDefaults += Find(menu) && position == 0;
    }
    bool TrackAtCursor(MenuHandle menu) override { return ++tracks, Find(menu) != nullptr; }

    // One item per line, two spaces per level: "News 1001", "---", "&Reference >".
    std::string Describe(MenuHandle menu, const std::string& indent = "") const;
    std::size_t LiveMenuCount() const { return m_menus.size(); }
    // Calls on a menu that is not alive (never made, or destroyed already).
    int DeadHandleUses() const { return m_deadHandleUses; }

    // Ordinals (1-based, over the whole run) of the CreatePopupMenu and
    // AppendSubMenu calls that fail; 0 for none.
    int failingCreate = 0, failingAttach = 0;
    // Menus tracked, and live ones whose first item was made the default.
    int tracks = 0, firstItemDefaults = 0;

private:
    std::vector<Item>* Find(MenuHandle menu) {
        auto it = m_menus.find(menu);
        m_deadHandleUses += it == m_menus.end();
        return it == m_menus.end() ? nullptr : &it->second;
    }
    // The item at position; none there is like a separator without an identifier.
    Item At(MenuHandle menu, int position) {
        std::vector<Item>* items = Find(menu);
        const bool there = items != nullptr && position >= 0 && position < int(items->size());
        return there ? (*items)[static_cast<std::size_t>(position)] : Item{-1, nullptr, {}};
    }
    bool Append(MenuHandle menu, Item item) {
        std::vector<Item>* items = Find(menu);
        return items != nullptr && (items->push_back(item), true);
    }
    std::map<MenuHandle, std::vector<Item>> m_menus;
    int m_creates = 0, m_attaches = 0, m_deadHandleUses = 0;
};

// A clock that stands still, in a POSIX time zone the test picks ("UTC0",
// "EST5EDT,M3.2.0,M11.1.0"). Like the Windows C library it places only moments
// from 1970 to the end of 3000 (UTC) in local time.
struct FakeClock : Provided<ClockService> {
    static constexpr TimeValue kLatest = 32535215999;
    FakeClock() { SetTimeZone("UTC0"); }
    TimeValue Now() override { return now; }
    bool ToLocalTime(TimeValue time, std::tm& local) override {
        const std::time_t moment = static_cast<std::time_t>(time);
        return time >= 0 && time <= kLatest && localtime_r(&moment, &local) != nullptr;
    }
    bool FromLocalTime(std::tm local, TimeValue& time) override {
        const TimeValue moment = std::mktime(&local);
        return moment >= 0 && moment <= kLatest && (time = moment, true);
    }
    void SetTimeZone(const char* posixZone) { setenv("TZ", posixZone, 1), tzset(); }
    TimeValue now = 1033387200; // 2002-09-30 12:00:00 UTC
};

// Registry keys by root and path; a key's handle is the key itself.
struct FakeRegistry : Provided<RegistryService> {
    struct KeyValues : std::map<std::string, std::pair<RegistryType, std::vector<std::uint8_t>>> {
        void SetString(const std::string& name, const std::string& text) {
            (*this)[name] = {RegistryType::String, {text.c_str(), text.c_str() + text.size() + 1}};
        }
        // The value of a REG_DWORD of four bytes.
        std::optional<std::uint32_t> Dword(const std::string& name) const;
    };
    RegistryKey OpenKey(RegistryRoot root, const std::string& path) override {
        auto it = keys.find(std::to_string(static_cast<int>(root)) + path);
        return it == keys.end() ? nullptr
                                : (++openKeys, reinterpret_cast<RegistryKey>(&it->second));
    }
    RegistryKey CreateKey(RegistryRoot root, const std::string& path) override {
        return createFails ? nullptr : (Key(root, path), OpenKey(root, path));
    }
    void CloseKey(RegistryKey) override { --openKeys; }
    bool QueryValueInfo(RegistryKey key, const std::string& name, RegistryType& type,
                        std::size_t& size) override {
        auto& values = *reinterpret_cast<KeyValues*>(key);
        return values.count(name) &&
               (type = values[name].first, size = values[name].second.size(), true);
    }
    // Reads only into a buffer large enough for the value.
    bool QueryValue(RegistryKey key, const std::string& name, RegistryType& type, void* buffer,
                    std::size_t& size) override {
        std::size_t needed = 0;
        if (!QueryValueInfo(key, name, type, needed) || needed > size)
            return false;
        const auto& bytes = (*reinterpret_cast<KeyValues*>(key))[name].second;
        return std::copy(bytes.begin(), bytes.end(), static_cast<std::uint8_t*>(buffer)),
               size = needed, true;
    }
    bool SetValue(RegistryKey key, const std::string& name, RegistryType type, const void* data,
                  std::size_t size) override {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        (*reinterpret_cast<KeyValues*>(key))[name] = {type, {bytes, bytes + size}};
        return true;
    }
    // The key at path, made when missing.
    KeyValues& Key(RegistryRoot root, const std::string& path) {
        return keys[std::to_string(static_cast<int>(root)) + path];
    }
    // The user's settings, HKEY_CURRENT_USER\Software\Vellinor.
    KeyValues& Settings() { return Key(RegistryRoot::CurrentUser, "Software\\Vellinor"); }

    std::map<std::string, KeyValues> keys; // by root number and path
    bool createFails = false;
    int openKeys = 0;
};

// The controls of one dialog, which exist as soon as they are named (clear,
// visible and enabled), and what a user does to them.
struct FakeDialog : ModelessDialog {
    struct Control {
        bool checked = false, visible = true, enabled = true, titleFont = false;
        std::string text;
    };
    explicit FakeDialog(DialogHandler& handler) : handler(handler) {}
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
    void Redraw() override { painted = controls; }
    // A click on a push button, which a hidden or disabled button, or an
    // ended dialog, does not take.
    void Press(int id) {
        if (!open || !controls[id].visible || !controls[id].enabled)
            return;
        id == DialogHandler::kOk       ? handler.OnOK(*this)
        : id == DialogHandler::kCancel ? handler.OnCancel(*this)
                                       : handler.OnCommand(id, *this);
    }

    DialogHandler& handler;
    std::map<int, Control> controls;
    std::map<int, Control> painted; // the controls at the last Redraw
    bool open = true;
    int result = 0;
};

// Modal dialogs answered from scripts, queued by template; a run without one
// fails at once, and so does one whose script leaves it open.
struct FakeDialogs : Provided<DialogService> {
    using Script = std::function<void(FakeDialog&)>;
    int RunModal(unsigned templateId, DialogHandler& handler) override {
        runs.push_back(templateId);
        const auto script = scripts.find(templateId);
        if (script == scripts.end())
            return kFailed;
        FakeDialog dialog(handler);
        handler.OnInitDialog(dialog);
        const Script user = script->second;
        scripts.erase(script), user(dialog);
        return dialog.open ? kFailed : dialog.result;
    }
    std::multimap<unsigned, Script> scripts;
    std::vector<unsigned> runs; // templates in order
};

// Modeless windows, each kept as it was when destroyed. The progress window's
// template disables its last three boxes.
struct FakeModeless : Provided<ModelessDialogService> {
    struct Window : FakeDialog {
        Window(DialogHandler& handler, FakeModeless& owner) : FakeDialog(handler), owner(owner) {}
        ~Window() override { owner.closed.push_back(*this); }
        FakeModeless& owner;
    };
    std::unique_ptr<ModelessDialog> Create(unsigned, DialogHandler& handler) override {
        if (!createSucceeds)
            return nullptr;
        auto window = std::make_unique<Window>(handler, *this);
        for (int box : {1001, 1002, 1003})
            window->Enable(box, false);
        handler.OnInitDialog(*window);
        return window;
    }
    bool createSucceeds = true;
    std::vector<FakeDialog> closed;
};

// A scripted server: a request for an address in `at` gets its answer there,
// every other one the answer in `next`.
struct FakeHttp : Provided<HttpService> {
    enum Fault { kNone, kNoSession, kCannotOpen, kReadFails, kReadTimesOut };
    struct Answer {
        std::string body;
        int status = 200;
        Fault fault = kNone;
        std::string error = {}; // the internet layer's text for a failure
        HttpValidators validators = {};
    };
    struct Connection : HttpSession, HttpRequest {
        Connection(FakeHttp& http, Answer answer) : http(http), answer(std::move(answer)) {}
        std::unique_ptr<HttpRequest> OpenUrl(const std::string& address,
                                             const HttpValidators& ifChanged) override {
            http.asked.push_back({address, ifChanged});
            const auto it = http.at.find(address);
            const Answer& given = it == http.at.end() ? http.next : it->second;
            return given.fault == kCannotOpen ? nullptr
                                              : std::make_unique<Connection>(http, given);
        }
        int StatusCode() const override { return answer.status; }
        HttpValidators Validators() const override { return answer.validators; }
        BodyRead ReadBody(std::size_t maxBytes, std::string& body, std::string& error) override {
            http.largestRead = std::max(http.largestRead, maxBytes);
            error = answer.error;
            body = answer.body.substr(0, maxBytes);
            return answer.fault == kReadFails      ? BodyRead::Failed
                   : answer.fault == kReadTimesOut ? BodyRead::TimedOut
                                                   : BodyRead::Complete;
        }
        FakeHttp& http;
        Answer answer;
    };
    std::unique_ptr<HttpSession> OpenSession(const std::string&, std::string& error) override {
        if (next.fault == kNoSession)
            return error = next.error, nullptr;
        return std::make_unique<Connection>(*this, next);
    }
    Answer next;
    std::map<std::string, Answer> at;
    std::size_t largestRead = 0;
    // Each address opened, and the edition it named.
    std::vector<std::pair<std::string, HttpValidators>> asked;
};

// The hidden window: tests deliver what it would receive through `events`.
struct FakeWindow : Provided<WindowService> {
    bool CreateHiddenWindow(const std::string&, WindowEvents& receiver) override {
        return (events = &receiver) != nullptr;
    }
    void DestroyHiddenWindow() override {
        if (WindowEvents* receiver = std::exchange(events, nullptr))
            receiver->OnDestroy();
    }
    WindowHandle HiddenWindowHandle() const override { return WindowHandle(events); }
    // Runs whileLooping and returns the exit code posted so far.
    int RunMessageLoop() override { return whileLooping(), quitCode.value(); }
    void PostQuit(int exitCode) override { quitCode = exitCode; }
    void PostNullMessage() override {}
    void SetForegroundToHiddenWindow() override {}
    bool IsHiddenWindowEnabled() const override { return enabled; }
    void EnableHiddenWindow(bool on) override { enabled = on; }
    void Beep(unsigned type) override { beeps.push_back(type); }
    void Sleep(unsigned) override {}
    unsigned DoubleClickTimeMs() const override { return 430; }

    WindowEvents* events = nullptr; // null when there is no window
    std::optional<int> quitCode;
    std::function<void()> whileLooping;
    bool enabled = true;
    std::vector<unsigned> beeps;
};

// Timers that tick when a test fires them. Identifiers are the system's own:
// never the requested one, never used twice.
struct FakeTimers : Provided<TimerService> {
    void SetSink(TimerSink* to) override { sink = to; }
    unsigned StartTimer(unsigned requestedId, unsigned) override {
        return startSucceeds ? (running[++lastId] = requestedId, lastId) : 0;
    }
    void StopTimer(unsigned timerId) override { unknownStops += running.erase(timerId) ? 0 : 1; }
    // One tick of the running timer started for requestedId, if there is one.
    void Tick(unsigned requestedId) {
        if (const unsigned id = IdFor(requestedId))
            sink->OnTimer(id);
    }
    unsigned IdFor(unsigned requestedId) const {
        for (const auto& [id, requested] : running)
            if (requested == requestedId)
                return id;
        return 0;
    }
    TimerSink* sink = nullptr;
    std::map<unsigned, unsigned> running; // the requested id by the system's
    unsigned lastId = 0x7ff0;
    bool startSucceeds = true;
    int unknownStops = 0;
};

// The notification area: an icon handle is its resource; adding an icon that
// is there, or changing or deleting one that is not, fails.
struct FakeTray : Provided<TrayService> {
    IconHandle LoadIcon(unsigned id) override { return IconHandle(std::uintptr_t{id}); }
    bool AddIcon(const TrayIconRecord& record) override {
        return shown.emplace(record.iconId, record).second;
    }
    bool ModifyIcon(const TrayIconRecord& record) override {
        return shown.count(record.iconId) && (shown[record.iconId] = record, true);
    }
    bool DeleteIcon(const TrayIconRecord& record) override { return shown.erase(record.iconId); }
    std::map<unsigned, TrayIconRecord> shown;
};

// Starts nothing: each address given to the shell, and each command line, is kept.
struct FakeShell : Provided<ShellService> {
    bool ShellOpen(const std::string& address) override { return StartProcess(address); }
    bool StartProcess(const std::string& line) override { return opened.push_back(line), succeeds; }
    std::vector<std::string> opened;
    bool succeeds = true;
};

// Message boxes by (string, icon), as they were shown.
using Shown = std::vector<std::pair<unsigned, unsigned>>;

// Message boxes that close at once, kept as (string, icon) or (text, icon).
struct FakeMessages : Provided<MessageService> {
    void ShowMessage(unsigned id, unsigned icon) override { shown.push_back({id, icon}), During(); }
    void ShowText(const std::string& text, unsigned icon) override {
        texts.push_back({text, icon}), During();
    }
    void During() { whileShown ? whileShown() : void(); }
    Shown shown;
    std::vector<std::pair<std::string, unsigned>> texts;
    std::function<void()> whileShown; // the user, while a box is open
};

// A Western code page: code units up to 0xFF are the byte of that value,
// others '?'.
struct FakeText : Provided<TextService> {
    std::string Utf16ToAnsi(const std::u16string& text) override {
        std::string ansi;
        for (char16_t unit : text)
            ansi.push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
        return ansi;
    }
};

// Not a fake: the check the maker's tool makes.
struct FakeSignatures : OpenSslSignatures {
    FakeSignatures() { Provide<SignatureService>(this); }
    ~FakeSignatures() override { Provide<SignatureService>(nullptr); }
};

struct FakeProgram : Provided<ProgramService> {
    std::string ProgramName() override { return "Vellinor"; }
};

// The whole fake platform. One per test.
struct FakePlatform {
    FakeMenus menus;
    FakeMessages messages;
    FakeText text;
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
    FakeSignatures signatures;
};
