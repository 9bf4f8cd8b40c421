#include "platform/CommandLineProgram.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct ProgramCase {
    const char* commandLine;
    std::optional<std::string> program;
};

class CommandLineProgramTest : public testing::TestWithParam<ProgramCase> {};

TEST_P(CommandLineProgramTest, FirstTokenNamesTheProgram) {
    EXPECT_EQ(GetParam().program, ProgramPathOf(GetParam().commandLine));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineProgramTest,
    testing::Values(
        // A quoted path keeps its spaces and ends at the closing quote.
        ProgramCase{R"("C:\Program Files\Web\browse.exe" -url "http://a.example/")",
                    R"(C:\Program Files\Web\browse.exe)"},
        ProgramCase{R"("C:\Program Files\Web\browse.exe")", R"(C:\Program Files\Web\browse.exe)"},
        // An unquoted path runs to the first ".exe", in any case, that ends
        // at a blank or the end of the line, spaces and all.
        ProgramCase{R"(C:\Program Files\Web Browser\browser.exe %1)",
                    R"(C:\Program Files\Web Browser\browser.exe)"},
        ProgramCase{R"(C:\Program Files\Web\BROWSE.EXE)", R"(C:\Program Files\Web\BROWSE.EXE)"},
        ProgramCase{R"(C:\My.exe files\web.exe.d\browse.Exe -a c.exe)", R"(C:\My.exe)"},
        ProgramCase{R"(C:\Tools\web.exe.d\my.exe-x\browse.exe -url c.exe)",
                    R"(C:\Tools\web.exe.d\my.exe-x\browse.exe)"},
        ProgramCase{"C:\\Web\\browse.exe\thttp://a.example/", R"(C:\Web\browse.exe)"},
        ProgramCase{R"(C:\Web\browse.exe)", R"(C:\Web\browse.exe)"},
        // Without one, the path ends at its first blank.
        ProgramCase{R"(C:\Program Files\Web\browse %1)", R"(C:\Program)"},
        ProgramCase{"browse.ex %1", "browse.ex"},
        // Leading blanks are no part of the program.
        ProgramCase{" \t\"C:\\Web\\browse.exe\" %1", R"(C:\Web\browse.exe)"},
        ProgramCase{"  browse.exe %1", "browse.exe"},
        // Lines that name no program.
        ProgramCase{"", std::nullopt}, ProgramCase{" \t ", std::nullopt},
        ProgramCase{R"("" http://a.example/)", std::nullopt},
        ProgramCase{R"("C:\Program Files\Web\browse.exe -url http://a.example/)", std::nullopt}));

} // namespace
