#include "tests/win32/CheckList.h"

#include <cstdio>

void CheckList::Expect(bool condition, const std::string& what) {
    std::printf("%s: %s\n", condition ? "ok" : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!condition)
        ++m_failures;
}

void CheckList::ExpectEqual(const std::string& expected, const std::string& actual,
                            const std::string& what) {
    Expect(expected == actual, what);
    if (expected != actual)
        std::printf("      expected [%s]\n      actual   [%s]\n", expected.c_str(), actual.c_str());
}
