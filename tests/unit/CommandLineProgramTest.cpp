#include "platform/CommandLineProgram.h"

#include <gtest/gtest.h>

namespace {

struct ProgramCase {
    const char* commandLine;
    std::optional<std::string> program;
};

class CommandLineProgram : public testing::TestWithParam<ProgramCase> {};

TEST_P(CommandLineProgram, IsTheQuotedPathOrTheFirstExeOrTheFirstToken) {
    EXPECT_EQ(GetParam().program, ProgramPathOf(GetParam().commandLine));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineProgram,
    testing::Values(ProgramCase{R"("C:\Program Files\Web\b.exe" -url "http://a.example/")",
                                R"(C:\Program Files\Web\b.exe)"},
                    ProgramCase{" \t\"C:\\Web\\b.exe\"", R"(C:\Web\b.exe)"},
                    // Unquoted, spaces and all, up to the first ".exe" a blank or the end follows.
                    ProgramCase{R"(C:\Program Files\Web Browser\b.exe %1)",
                                R"(C:\Program Files\Web Browser\b.exe)"},
                    ProgramCase{R"(C:\Program Files\Web\B.EXE)", R"(C:\Program Files\Web\B.EXE)"},
                    ProgramCase{R"(C:\Tools\web.exe.d\my.exe-x\b.Exe -url c.exe)",
                                R"(C:\Tools\web.exe.d\my.exe-x\b.Exe)"},
                    ProgramCase{"  C:\\Web\\b.exe\thttp://a.example/", R"(C:\Web\b.exe)"},
                    // Without one, up to the first blank.
                    ProgramCase{R"(C:\Program Files\Web\b %1)", R"(C:\Program)"},
                    ProgramCase{"b.ex", "b.ex"}, ProgramCase{"", std::nullopt},
                    ProgramCase{" \t ", std::nullopt},
                    ProgramCase{R"("" http://a.example/)", std::nullopt},
                    ProgramCase{R"("C:\Program Files\Web\b.exe -url)", std::nullopt}));

} // namespace
