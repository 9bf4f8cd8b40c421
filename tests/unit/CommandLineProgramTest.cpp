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
        // An unquoted path ends at its first blank, however the rest reads.
        ProgramCase{R"(C:\Program Files\Web\browse.exe http://a.example/)", R"(C:\Program)"},
        ProgramCase{"C:\\Web\\browse.exe\thttp://a.example/", R"(C:\Web\browse.exe)"},
        ProgramCase{R"(C:\Web\browse.exe)", R"(C:\Web\browse.exe)"},
        // Leading blanks are no part of the program.
        ProgramCase{" \t\"C:\\Web\\browse.exe\" %1", R"(C:\Web\browse.exe)"},
        ProgramCase{"  browse.exe %1", "browse.exe"},
        // Lines that name no program.
        ProgramCase{"", std::nullopt}, ProgramCase{" \t ", std::nullopt},
        ProgramCase{R"("" http://a.example/)", std::nullopt},
        ProgramCase{R"("C:\Program Files\Web\browse.exe -url http://a.example/)", std::nullopt}));

} // namespace
