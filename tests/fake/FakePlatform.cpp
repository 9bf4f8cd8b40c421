#include "tests/fake/FakePlatform.h"

#include "platform/CommandLineProgram.h"
#include "platform/Services.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

template <class T> std::string Text(T* handle) {
    return std::to_string(reinterpret_cast<std::uintptr_t>(handle));
}

bool Placeable(TimeValue time) {
    return time >= 0 && time <= FakeClock::kLatest;
}

bool Listed(const std::vector<int>& ordinals, int ordinal) {
    return std::find(ordinals.begin(), ordinals.end(), ordinal) != ordinals.end();
}

} // namespace

std::size_t CallLog::Count(const std::string& prefix) const {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
}

std::vector<FakeMenus::Item>* FakeMenus::Find(MenuHandle menu) {
    auto it = m_menus.find(menu);
    m_deadHandleUses += it == m_menus.end();
    return it == m_menus.end() ? nullptr : &it->second;
}

const FakeMenus::Item* FakeMenus::At(MenuHandle menu, int position) {
    std::vector<Item>* items = Find(menu);
    if (items == nullptr || position < 0 || position >= static_cast<int>(items->size()))
        return nullptr;
    return &(*items)[static_cast<std::size_t>(position)];
}

MenuHandle FakeMenus::CreatePopupMenu() {
    m_log.Record("CreatePopupMenu");
    const auto handle = reinterpret_cast<MenuHandle>(static_cast<std::uintptr_t>(++m_creates));
    if (Listed(failingCreates, m_creates))
        return nullptr;
    m_menus[handle];
    return handle;
}

bool FakeMenus::AppendCommand(MenuHandle menu, int commandId, const std::string& text) {
    m_log.Record("AppendCommand " + Text(menu) + " " + std::to_string(commandId) + " " + text);
    std::vector<Item>* items = Find(menu);
    return items != nullptr && (items->push_back({Item::Command, commandId, nullptr, text}), true);
}

bool FakeMenus::AppendSeparator(MenuHandle menu) {
    m_log.Record("AppendSeparator " + Text(menu));
    std::vector<Item>* items = Find(menu);
    return items != nullptr && (items->push_back({Item::Separator, 0, nullptr, {}}), true);
}

bool FakeMenus::AppendSubMenu(MenuHandle menu, MenuHandle subMenu, const std::string& text) {
    m_log.Record("AppendSubMenu " + Text(menu) + " " + Text(subMenu) + " " + text);
    std::vector<Item>* items = Find(menu);
    if (Find(subMenu) == nullptr || items == nullptr || Listed(failingAttaches, ++m_attaches))
        return false;
    items->push_back({Item::SubMenu, 0, subMenu, text});
    return true;
}

MenuHandle FakeMenus::GetSubMenu(MenuHandle menu, int position) {
    const Item* item = At(menu, position);
    return item != nullptr && item->kind == Item::SubMenu ? item->subMenu : nullptr;
}

void FakeMenus::DestroyMenu(MenuHandle menu) {
    m_log.Record("DestroyMenu " + Text(menu));
    for (std::vector<MenuHandle> doomed{menu}; !doomed.empty();) {
        const MenuHandle next = doomed.back();
        doomed.pop_back();
        if (std::vector<Item>* items = Find(next)) {
            for (const Item& item : *items)
                if (item.kind == Item::SubMenu)
                    doomed.push_back(item.subMenu);
            m_menus.erase(next);
        }
    }
}

int FakeMenus::GetItemId(MenuHandle menu, int position) {
    const Item* item = At(menu, position);
    return item == nullptr || item->kind == Item::SubMenu ? -1 : item->id;
}

void FakeMenus::SetDefaultItem(MenuHandle menu, int position) {
    m_log.Record("SetDefaultItem " + std::to_string(position));
    Find(menu);
}

bool FakeMenus::TrackAtCursor(MenuHandle menu) {
    m_log.Record("TrackAtCursor " + Text(menu));
    return Find(menu) != nullptr;
}

std::string FakeMenus::Describe(MenuHandle menu, const std::string& indent) const {
    std::string picture;
    for (const Item& item : ItemsOf(menu))
        if (item.kind == Item::Command)
            picture += indent + item.text + " " + std::to_string(item.id) + "\n";
        else if (item.kind == Item::Separator)
            picture += indent + "---\n";
        else
            picture += indent + item.text + " >\n" + Describe(item.subMenu, indent + "  ");
    return picture;
}

bool FakeClock::ToLocalTime(TimeValue time, std::tm& local) {
    const std::time_t moment = static_cast<std::time_t>(time);
    return Placeable(time) && localtime_r(&moment, &local) != nullptr;
}

bool FakeClock::FromLocalTime(std::tm local, TimeValue& time) {
    const TimeValue moment = std::mktime(&local);
    return Placeable(moment) && (time = moment, true);
}

void FakeClock::SetTimeZone(const char* posixZone) {
    setenv("TZ", posixZone, 1);
    tzset();
}

TimeValue FakeClock::Local(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900, local.tm_mon = month - 1, local.tm_mday = day;
    local.tm_hour = hour, local.tm_min = minute, local.tm_sec = second, local.tm_isdst = -1;
    return std::mktime(&local);
}

void FakeRegistry::KeyValues::SetString(const std::string& name, const std::string& text) {
    (*this)[name] = {RegistryType::String, {text.begin(), text.end()}};
    (*this)[name].second.push_back(0);
}

void FakeRegistry::KeyValues::SetDword(const std::string& name, std::uint32_t value) {
    (*this)[name] = {RegistryType::Dword, {}};
    for (int shift = 0; shift < 32; shift += 8)
        (*this)[name].second.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::optional<std::uint32_t> FakeRegistry::KeyValues::Dword(const std::string& name) const {
    auto it = find(name);
    if (it == end() || it->second.first != RegistryType::Dword || it->second.second.size() != 4)
        return std::nullopt;
    std::uint32_t value = 0;
    std::memcpy(&value, it->second.second.data(), 4);
    return value;
}

std::string FakeRegistry::Name(RegistryRoot root, const std::string& path) {
    return std::to_string(static_cast<int>(root)) + "\\" + path;
}

RegistryKey FakeRegistry::OpenKey(RegistryRoot root, const std::string& path) {
    if (!keys.count(Name(root, path)))
        return nullptr;
    const auto key = reinterpret_cast<RegistryKey>(++m_lastHandle);
    m_open[key] = {Name(root, path), false};
    return key;
}

RegistryKey FakeRegistry::CreateKey(RegistryRoot root, const std::string& path) {
    if (createFails)
        return nullptr;
    Key(root, path);
    const RegistryKey key = OpenKey(root, path);
    m_open[key].second = true;
    return key;
}

const FakeRegistry::Values::mapped_type* FakeRegistry::Find(RegistryKey key,
                                                            const std::string& name) {
    if (!m_open.count(key) || !keys[m_open[key].first].count(name))
        return nullptr;
    return &keys[m_open[key].first][name];
}

bool FakeRegistry::QueryValueInfo(RegistryKey key, const std::string& name, RegistryType& type,
                                  std::size_t& size) {
    const auto* value = Find(key, name);
    return value != nullptr && (type = value->first, size = value->second.size(), true);
}

bool FakeRegistry::QueryValue(RegistryKey key, const std::string& name, RegistryType& type,
                              void* buffer, std::size_t& size) {
    const auto* value = Find(key, name);
    if (value == nullptr || value->second.size() > size)
        return false;
    type = value->first;
    size = value->second.size();
    std::copy(value->second.begin(), value->second.end(), static_cast<std::uint8_t*>(buffer));
    return true;
}

bool FakeRegistry::SetValue(RegistryKey key, const std::string& name, RegistryType type,
                            const void* data, std::size_t size) {
    if (!m_open.count(key) || !m_open[key].second)
        return false;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    keys[m_open[key].first][name] = {type, {bytes, bytes + size}};
    return ++writes > 0;
}

void FakeDialog::Press(int buttonId) {
    const Control& button = controls[buttonId];
    if (!open || !button.visible || !button.enabled)
        return;
    if (buttonId == DialogHandler::kOk)
        m_handler.OnOK(*this);
    else if (buttonId == DialogHandler::kCancel)
        m_handler.OnCancel(*this);
    else
        m_handler.OnCommand(buttonId, *this);
}

int FakeDialogs::RunModal(unsigned templateId, DialogHandler& handler) {
    runs.push_back(templateId);
    FakeDialog dialog(handler);
    const auto script = scripts.find(templateId);
    if (script == scripts.end())
        return kFailed;
    handler.OnInitDialog(dialog);
    script->second(dialog);
    scripts.erase(script);
    results.push_back(dialog);
    return dialog.open ? kFailed : dialog.result;
}

std::unique_ptr<ModelessDialog> FakeModeless::Create(unsigned templateId, DialogHandler& handler) {
    struct Window : FakeDialog {
        Window(DialogHandler& handler, FakeModeless& owner) : FakeDialog(handler), owner(owner) {}
        ~Window() override { owner.closed.push_back(*this); }
        FakeModeless& owner;
    };
    if (!createSucceeds)
        return nullptr;
    ++created;
    auto window = std::make_unique<Window>(handler, *this);
    for (int id : disabledAtCreation[templateId])
        window->Enable(id, false);
    handler.OnInitDialog(*window);
    return window;
}

std::unique_ptr<HttpSession> FakeHttp::OpenSession(const std::string&, std::string& error) {
    struct Request : HttpRequest {
        FakeHttp& http;
        explicit Request(FakeHttp& http) : http(http) {}
        int StatusCode() const override { return http.next.status; }
        BodyRead ReadBody(std::size_t maxBytes, std::string& body, std::string& error) override {
            http.largestRead = std::max(http.largestRead, maxBytes);
            error = http.next.error;
            body = http.next.body.substr(0, maxBytes);
            return http.next.readFails      ? BodyRead::Failed
                   : http.next.readTimesOut ? BodyRead::TimedOut
                                            : BodyRead::Complete;
        }
    };
    struct Session : HttpSession {
        FakeHttp& http;
        explicit Session(FakeHttp& http) : http(http) {}
        std::unique_ptr<HttpRequest> OpenUrl(const std::string& address) override {
            http.urls.push_back(address);
            return http.next.cannotOpen ? nullptr : std::make_unique<Request>(http);
        }
    };
    ++sessions;
    if (next.sessionFails)
        return error = next.error, nullptr;
    return std::make_unique<Session>(*this);
}

bool FakeWindow::CreateHiddenWindow(const std::string& windowName, WindowEvents& receiver) {
    events = &receiver;
    name = windowName;
    ++created;
    return true;
}

void FakeWindow::DestroyHiddenWindow() {
    if (WindowEvents* receiver = std::exchange(events, nullptr))
        receiver->OnDestroy();
}

WindowHandle FakeWindow::HiddenWindowHandle() const {
    return events ? reinterpret_cast<WindowHandle>(static_cast<std::uintptr_t>(created)) : nullptr;
}

int FakeWindow::RunMessageLoop() {
    if (whileLooping)
        whileLooping();
    return quitCode.value();
}

unsigned FakeTimers::StartTimer(unsigned requestedId, unsigned periodMs) {
    if (!startSucceeds)
        return 0;
    running[++lastId] = {requestedId, periodMs};
    return lastId;
}

unsigned FakeTimers::IdFor(unsigned requestedId) const {
    for (const auto& [id, timer] : running)
        if (timer.first == requestedId)
            return id;
    return 0;
}

IconHandle FakeTray::LoadIcon(unsigned resourceId) {
    return reinterpret_cast<IconHandle>(static_cast<std::uintptr_t>(resourceId));
}

bool FakeTray::Apply(const TrayIconRecord& record, bool mustBeThere, bool keep) {
    calls.push_back(record);
    if (shown.count(record.iconId) != mustBeThere)
        return false;
    if (keep)
        shown[record.iconId] = record;
    else
        shown.erase(record.iconId);
    return true;
}

unsigned FakeTray::Image(unsigned iconId) const {
    auto it = shown.find(iconId);
    return it == shown.end()
               ? 0
               : static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(it->second.icon));
}

bool FakeShell::ShellOpen(const std::string& address) {
    opened.push_back(address);
    return shellOpenSucceeds;
}

bool FakeShell::StartProcess(const std::string& commandLine) {
    started.push_back({commandLine});
    return ProgramPathOf(commandLine).has_value() && startProcessSucceeds;
}

std::string FakeText::Utf16ToAnsi(const std::u16string& text) {
    m_log.Record("Utf16ToAnsi");
    std::string ansi;
    for (char16_t unit : text)
        ansi.push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
    return ansi;
}

template <class... Service> void ProvideAll(Service*... services) {
    (Provide(services), ...);
}

FakePlatform::FakePlatform() {
    ProvideAll<MenuService, MessageService, TextService, RegistryService, ClockService,
               DialogService, ProgramService, WindowService, TimerService, TrayService,
               ShellService, HttpService, ModelessDialogService>(
        &menus, &messages, &text, &registry, &clock, &dialogs, &program, &window, &timers, &tray,
        &shell, &http, &modeless);
}

FakePlatform::~FakePlatform() {
    ProvideAll<MenuService, MessageService, TextService, RegistryService, ClockService,
               DialogService, ProgramService, WindowService, TimerService, TrayService,
               ShellService, HttpService, ModelessDialogService>(
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr, nullptr, nullptr);
}
