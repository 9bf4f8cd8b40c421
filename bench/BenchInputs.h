#pragma once

#include <string>
#include <vector>

// A menu definition text as the server would send it, with a short name for
// the benchmark's reports.
struct BenchInput {
    std::string name;
    std::string text;
};

// The inputs the speed goals name: as many sites as 65,536 bytes hold, and a
// menu of 200 sites kept by hand.
inline constexpr char kFlatMenuName[] = "flat-64KiB";
inline constexpr char kTypicalMenuName[] = "typical-200";

// The menus the benchmarks time, the same bytes on every run: the small
// example menu, a typical hand-kept menu of 200 sites, and the two extremes
// of the 65,536 bytes the program reads (as many sites as fit, and sub-menus
// nested as deep as fit). Each names this program's version and a menu
// number other than 0, so it parses as a new menu for an empty holder.
std::vector<BenchInput> MakeBenchInputs();
