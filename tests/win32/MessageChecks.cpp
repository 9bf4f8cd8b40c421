#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Messages.h"
#include "platform/win32/Win32Timers.h"
#include "platform/win32/Win32Window.h"
#include "tests/win32/QuietEvents.h"
#include "tests/win32/ServiceChecks.h"
#include "tests/win32/ServicesTestIds.h"

#include <string>

namespace {

constexpr const char* kProgramName = "Services Test";
constexpr int kMessageTextControl = 65535;

class FixedProgramName : public ProgramService {
public:
    std::string ProgramName() override { return kProgramName; }
};

// What an open message box shows, seen from inside its loop.
struct SeenBox {
    bool found = false;
    std::string text;
    HWND owner = nullptr;
    bool hiddenWindowDisabled = false;
};

// Reads the open box, then closes it with its OK button.
class BoxReader : public TimerSink {
public:
    explicit BoxReader(const WindowService& window) : m_window(window) {}

    void OnTimer(unsigned) override {
        const HWND box = ::FindWindowA("#32770", kProgramName);
        if (box == nullptr || seen.found)
            return;
        seen.found = true;
        char text[1024] = {};
        ::GetDlgItemTextA(box, kMessageTextControl, text, sizeof text);
        seen.text = text;
        seen.owner = ::GetWindow(box, GW_OWNER);
        seen.hiddenWindowDisabled = !m_window.IsHiddenWindowEnabled();
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    }

    SeenBox seen;

private:
    const WindowService& m_window;
};

// While a dialog is open, shows a box from inside its loop and then closes
// the dialog; the box's own loop reads and closes the box.
class BoxOverDialog : public DialogHandler, public TimerSink {
public:
    BoxOverDialog(MessageService& messages, const WindowService& window)
        : reader(window), m_messages(messages) {}

    void OnTimer(unsigned timerId) override {
        if (m_showing) {
            reader.OnTimer(timerId);
            return;
        }
        if (dialog != nullptr ||
            (dialog = ::FindWindowA("#32770", "Services Test Dialog")) == nullptr)
            return;
        m_showing = true;
        m_messages.ShowText("Over the dialog", MessageService::kIconInformation);
        m_showing = false;
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }

    HWND dialog = nullptr;
    BoxReader reader;

private:
    MessageService& m_messages;
    bool m_showing = false;
};

} // namespace

void CheckMessageBoxes(CheckList& checks) {
    Win32Window window;
    QuietEvents events;
    window.CreateHiddenWindow("Vellinor1", events);
    FixedProgramName program;
    Win32Messages messages(window, program);
    Win32Timers timers;
    const unsigned timer = timers.StartTimer(1, 50);

    struct BoxCase {
        const char* name;
        void (*show)(MessageService&);
        std::string text;
    };
    const BoxCase cases[] = {
        {"a string entry",
         [](MessageService& m) { m.ShowMessage(IDS_SHORT, MessageService::kIconInformation); },
         "Short message."},
        {"the program's own text",
         [](MessageService& m) { m.ShowText("Own text.", MessageService::kIconStop); },
         "Own text."},
    };
    for (const BoxCase& test : cases) {
        const std::string by = std::string(" (") + test.name + ")";
        BoxReader reader(window);
        timers.SetSink(&reader);
        test.show(messages);
        checks.Expect(reader.seen.found, "the box is captioned with the program's name" + by);
        checks.ExpectEqual(test.text, reader.seen.text, "the box's text" + by);
        checks.Expect(reader.seen.owner == window.Handle(), "the hidden window owns the box" + by);
        checks.Expect(reader.seen.hiddenWindowDisabled && window.IsHiddenWindowEnabled(),
                      "the box is modal to the hidden window" + by);
    }

    BoxReader longReader(window);
    timers.SetSink(&longReader);
    messages.ShowMessage(IDS_LONG, MessageService::kIconStop);
    const std::string ending = "so that it has to grow it.";
    const std::string& longText = longReader.seen.text;
    checks.Expect(longText.size() == 424 &&
                      longText.compare(longText.size() - ending.size(), ending.size(), ending) == 0,
                  "a string entry longer than the first buffer is shown whole");

    Win32Dialogs dialogs(window);
    BoxOverDialog overDialog(messages, window);
    timers.SetSink(&overDialog);
    dialogs.RunModal(IDD_SAMPLE, overDialog);
    checks.Expect(overDialog.reader.seen.found && overDialog.dialog != nullptr &&
                      overDialog.reader.seen.owner == overDialog.dialog,
                  "a box raised while a dialog is open is owned by the dialog");

    timers.StopTimer(timer);
    timers.SetSink(nullptr);
    window.DestroyHiddenWindow();
}
