#pragma once

#include <string>

// The outcome of the checks: one line per check on standard output.
class CheckList {
public:
    void Expect(bool condition, const std::string& what);
    // Compares texts, showing both when they differ.
    void ExpectEqual(const std::string& expected, const std::string& actual,
                     const std::string& what);
    int Failures() const { return m_failures; }

private:
    int m_failures = 0;
};
