#pragma once

#include <cstdio>
#include <cstdlib>

// A property that does not hold is a finding like a crash: name it and abort,
// so that libFuzzer keeps the input that broke it.
inline void FuzzCheck(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "property does not hold: %s\n", property);
    std::abort();
}
