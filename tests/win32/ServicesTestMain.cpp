#include "tests/e2e/helpers/ProcessEnd.h"
#include "tests/win32/ServiceChecks.h"

#include <cstdio>

namespace {

int g_failures = 0;

// The hidden window is there to own the dialogs and boxes; nothing reaches it.
class QuietEvents : public WindowEvents {
public:
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

int main(int argc, char** argv) {
    RunAsChild(argc, argv);
    if (argc != 4) {
        std::printf("usage: vellinor-win32-services-test HTTP-SERVER MENU-FILE PACKED-MENU\n");
        EndProcess(2);
    }
    Win32Window window;
    QuietEvents events;
    window.CreateHiddenWindow("Vellinor1", events);
    CheckDialogs(window);
    CheckProcessStart(window);
    CheckHttp(argv[1]);
    CheckRegistry(argv[2], argv[3]);
    std::printf("%d failed\n", g_failures);
    EndProcess(g_failures);
}
