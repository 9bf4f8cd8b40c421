#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// One thing the program would meet in a menu file. A finding that loses text
// (a line skipped, dropped or ignored, a menu not loaded) makes `check` fail;
// the others only inform the maker.
struct CheckFinding {
    std::size_t line; // 1-based line of the file
    bool losesText;
    std::string text;
};

// Every problem the program would meet in data taken as a downloaded menu
// file, in line order.
std::vector<CheckFinding> CheckMenuText(const char* data, std::size_t length);

// 1 when some finding loses text, else 0.
int CheckExitCode(const std::vector<CheckFinding>& findings);

// One line per finding: `fileName:LINE: text`.
void WriteFindings(std::ostream& out, std::string_view fileName,
                   const std::vector<CheckFinding>& findings);
