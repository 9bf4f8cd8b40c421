#include "platform/CommandLineProgram.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineProgram, IsTheQuotedPathOrUpToTheFirstExeOrTheFirstToken) {
    const std::pair<const char*, const char*> table[] = {
        {R"("C:\Program Files\W\b.exe" -url "http://a/")", R"(C:\Program Files\W\b.exe)"},
        {" \t\"C:\\W\\b.exe\"", R"(C:\W\b.exe)"},
        // Unquoted, spaces and all, up to the first ".exe" a blank or the end
        // follows; without one, up to the first blank.
        {R"(C:\Program Files\W B\b.exe %1)", R"(C:\Program Files\W B\b.exe)"},
        {R"(C:\Program Files\W\B.EXE)", R"(C:\Program Files\W\B.EXE)"},
        {"C:\\T\\w.exe.d\\my.exe-x\\b.Exe\tc.exe", R"(C:\T\w.exe.d\my.exe-x\b.Exe)"},
        {R"(  C:\Program Files\W\b %1)", R"(C:\Program)"},
        // No program at all.
        {"", "none"},
        {" \t ", "none"},
        {R"("" http://a/)", "none"},
        {R"("C:\b.exe -url)", "none"}};
    for (const auto& [line, program] : table)
        EXPECT_EQ(program, ProgramPathOf(line).value_or("none")) << line;
}

} // namespace
