// Prints one of the benchmarks' menus as the server would send it, so that the
// start-up benchmark under Wine stores the same bytes the parser is timed on.
//
//   vellinor-bench-input NAME     NAME: example, typical-200, flat-64KiB, deep-64KiB
//
// Exit status: 0 when printed, 2 when there is no menu NAME.
#include "bench/BenchInputs.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc == 2)
        for (const BenchInput& input : MakeBenchInputs())
            if (input.name == argv[1]) {
                std::fwrite(input.text.data(), 1, input.text.size(), stdout);
                return std::fflush(stdout) == 0 ? 0 : 2;
            }
    std::fprintf(stderr, "usage: vellinor-bench-input NAME (a menu of the benchmarks)\n");
    return 2;
}
