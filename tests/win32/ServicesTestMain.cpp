#include "tests/e2e/helpers/ProcessEnd.h"
#include "tests/win32/ServiceChecks.h"

#include <cstdio>

namespace {

int g_failures = 0;

// The hidden window is there to own the dialogs and boxes; nothing reaches it.
struct QuietEvents : WindowEvents {
    void OnTrayNotify(unsigned, unsigned) override {}
    bool OnCommand(int) override { return false; }
    void OnDestroy() override {}
    void OnTaskbarCreated() override {}
};

} // namespace

void Expect(bool condition, const std::string& what) {
    std::printf("%s: %s\n", condition ? "ok" : "FAIL", what.c_str());
    std::fflush(stdout);
    g_failures += condition ? 0 : 1;
}

void ExpectEqual(const std::string& shown, const std::string& expected, const std::string& what) {
    Expect(shown == expected,
           what + ": [" + shown + "]" + (shown == expected ? "" : " expected [" + expected + "]"));
}

int main(int argc, char** argv) {
    RunAsChild(argc, argv);
    // The test server, http://127.0.0.1:PORT, is the only argument.
    if (argc != 2)
        EndProcess(2);
    Win32Window window;
    QuietEvents events;
    window.CreateHiddenWindow("Vellinor1", events);
    CheckDialogs(window);
    CheckProcessStart(window);
    CheckHttp(argv[1]);
    CheckRegistry();
    EndProcess(g_failures);
}
