#include "tests/e2e/helpers/ProcessEnd.h"
#include "tests/win32/ServiceChecks.h"

#include <cstdio>
#include <cstring>
#include <fstream>

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

int main(int argc, char** argv) {
    // The child that CheckProcessStart starts: it leaves its marker and ends.
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) {
        std::ofstream(argv[2]) << "started";
        EndProcess(0);
    }
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
