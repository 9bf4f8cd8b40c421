#include "StartupReport.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr double kStartupGoalRatio = 1.1;
constexpr double kMemoryGoalMiB = 1.0;
constexpr double kBytesPerMiB = 1024.0 * 1024.0;

// Median and minimum of the measured rounds of one figure.
struct Figure {
    double median = 0;
    double min = 0;
};

template <typename Select>
Figure Summarise(const std::vector<StartupSample>& samples, Select select) {
    std::vector<double> values;
    for (const StartupSample& sample : samples)
        if (sample.measured)
            values.push_back(select(sample));
    Figure figure;
    if (values.empty())
        return figure;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    figure.median =
        values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    figure.min = values.front();
    return figure;
}

struct Summary {
    std::size_t measured = 0;
    Figure icon;
    Figure idle;
    Figure peakMiB;
};

Summary Summarise(const ProgramResults& results) {
    Summary summary;
    summary.measured = static_cast<std::size_t>(
        std::count_if(results.samples.begin(), results.samples.end(),
                      [](const StartupSample& sample) { return sample.measured; }));
    summary.icon = Summarise(results.samples, [](const StartupSample& s) { return s.iconMs; });
    summary.idle = Summarise(results.samples, [](const StartupSample& s) { return s.idleMs; });
    summary.peakMiB = Summarise(results.samples, [](const StartupSample& s) {
        return static_cast<double>(s.peakBytes) / kBytesPerMiB;
    });
    return summary;
}

std::string WithThousands(unsigned long long value) {
    std::string digits = std::to_string(value);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

double Ratio(double value, double floor) {
    return floor > 0 ? value / floor : 0;
}

void PrintRow(const ProgramResults& results, const Summary& summary, const Summary& floor) {
    std::printf(
        "| %s | %zu of %zu | %.1f | %.1f | %.2f | %.1f | %.1f | %.2f | %.2f | %+.2f | %s |\n",
        results.program.Name().c_str(), summary.measured, results.samples.size(),
        summary.icon.median, summary.icon.min, Ratio(summary.icon.median, floor.icon.median),
        summary.idle.median, summary.idle.min, Ratio(summary.idle.median, floor.idle.median),
        summary.peakMiB.median, summary.peakMiB.median - floor.peakMiB.median,
        WithThousands(results.fileBytes).c_str());
}

const char* Verdict(bool met) {
    return met ? "met" : "NOT met";
}

} // namespace

void PrintStartupReport(const ProgramResults& floor, const ProgramResults& program) {
    const Summary floorSummary = Summarise(floor);
    const Summary programSummary = Summarise(program);

    std::printf("\n| Program | Rounds measured | Icon in the tray, ms | min | times floor "
                "| Waiting for input, ms | min | times floor "
                "| Peak working set, MiB | over floor | File, bytes |\n"
                "|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n");
    PrintRow(floor, floorSummary, floorSummary);
    PrintRow(program, programSummary, floorSummary);
    std::printf("\nMedians and minimums of the measured rounds; times from the process's start.\n");

    const std::string name = program.program.Name();
    if (programSummary.measured == 0 || floorSummary.measured == 0) {
        std::printf("Goals: not judged, a program was never measured.\n");
        return;
    }
    const double iconRatio = Ratio(programSummary.icon.median, floorSummary.icon.median);
    std::printf("Goal, start-up within %.1f times the floor's: %s shows its icon in %.2f times "
                "the floor's time (%.2f on the fastest rounds): %s.\n",
                kStartupGoalRatio, name.c_str(), iconRatio,
                Ratio(programSummary.icon.min, floorSummary.icon.min),
                Verdict(iconRatio <= kStartupGoalRatio));
    const double overMiB = programSummary.peakMiB.median - floorSummary.peakMiB.median;
    std::printf("Goal, peak working set within %.1f MiB of the floor's: %s's is %+.2f MiB "
                "from the floor's: %s.\n",
                kMemoryGoalMiB, name.c_str(), overMiB, Verdict(overMiB <= kMemoryGoalMiB));
}
