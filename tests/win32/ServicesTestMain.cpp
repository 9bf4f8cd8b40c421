#include "tests/e2e/helpers/ProcessEnd.h"
#include "tests/win32/ServiceChecks.h"

#include <cstring>
#include <fstream>
#include <iostream>

namespace {

int g_failures = 0;

} // namespace

void Expect(bool condition, const std::string& what) {
    std::cout << (condition ? "ok: " : "FAIL: ") << what << std::endl;
    g_failures += condition ? 0 : 1;
}

int main(int argc, char** argv) {
    // The child that CheckProcessStart starts: it leaves its marker and ends.
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) {
        std::ofstream(argv[2]) << "started";
        EndProcess(0);
    }
    // The hidden window is there to own the dialogs and boxes; nothing reaches it.
    struct QuietEvents : WindowEvents {
        void OnTrayNotify(unsigned, unsigned) override {}
        bool OnCommand(int) override { return false; }
        void OnDestroy() override {}
        void OnTaskbarCreated() override {}
    } events;
    Win32Window window;
    window.CreateHiddenWindow("Vellinor1", events);
    CheckDialogs(window);
    CheckProcessStart(window);
    // The test server, http://127.0.0.1:PORT, is the only argument.
    CheckHttp(argv[1]);
    CheckRegistry();
    EndProcess(g_failures);
}
