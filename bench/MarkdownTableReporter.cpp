#include "bench/MarkdownTableReporter.h"

#include "bench/BenchInputs.h"
#include "bench/BenchOperations.h"

#include <cstdio>
#include <ostream>

namespace {

// Besides beating both JSON peers on every input, these operations are to
// take no more than so many times the floor's time.
struct FloorGoal {
    const char* input;
    std::string_view operation;
    double most;
};
const FloorGoal kFloorGoals[] = {
    {kTypicalMenuName, bench_operation::kParse, 10.0},
    {kTypicalMenuName, bench_operation::kUnpack, 10.0},
    {kFlatMenuName, bench_operation::kParse, 20.0},
};

std::string Format(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Ratio(double ns, double referenceNs) {
    return referenceNs > 0 ? Format("%.2f", ns / referenceNs) : "–";
}

} // namespace

void MarkdownTableReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
            continue;
        const std::string& name = run.run_name.function_name;
        const std::size_t slash = name.find('/');
        Measurement measurement;
        measurement.input = name.substr(0, slash);
        measurement.operation = name.substr(slash + 1);
        if (run.error_occurred) {
            measurement.error = run.error_message;
        } else {
            const double seconds =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            measurement.nsPerRun = seconds * 1e9;
            const auto bytes = run.counters.find("bytes");
            if (bytes != run.counters.end())
                measurement.bytesPerRun = bytes->second.value;
        }
        // A median comes after the repetitions it sums up and replaces them.
        const std::size_t known = IndexOf(measurement.input, measurement.operation);
        if (known != std::string::npos)
            m_measurements[known] = measurement;
        else
            m_measurements.push_back(measurement);
    }
}

void MarkdownTableReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();
    out << '\n';
    PrintTable(out);
    out << '\n';
    PrintGoals(out);
}

std::size_t MarkdownTableReporter::IndexOf(const std::string& input,
                                           std::string_view operation) const {
    for (std::size_t i = 0; i < m_measurements.size(); ++i)
        if (m_measurements[i].input == input && m_measurements[i].operation == operation)
            return i;
    return std::string::npos;
}

const MarkdownTableReporter::Measurement*
MarkdownTableReporter::Find(const std::string& input, std::string_view operation) const {
    const std::size_t index = IndexOf(input, operation);
    return index != std::string::npos ? &m_measurements[index] : nullptr;
}

void MarkdownTableReporter::PrintTable(std::ostream& out) const {
    out << "ns per run: CPU time, the median when repeated. MB/s: over each row's own bytes"
           " (the menu text, the stored form or the JSON). Ratios: time over the floor's, or"
           " the parser's time over each JSON peer's on the same tree.\n\n";
    out << "| Input | Operation | Bytes | ns per run | MB/s | time ÷ floor | time ÷ nlohmann"
           " | time ÷ simdjson |\n"
        << "|---|---|--:|--:|--:|--:|--:|--:|\n";
    for (const std::string& input : m_inputOrder)
        for (const std::string_view operation : bench_operation::kAll)
            if (const Measurement* row = Find(input, operation))
                PrintRow(out, *row);
}

void MarkdownTableReporter::PrintRow(std::ostream& out, const Measurement& row) const {
    out << "| " << row.input << " | " << row.operation << " | " << Format("%.0f", row.bytesPerRun)
        << " | ";
    if (!row.error.empty()) {
        out << "failed: " << row.error << " | – | – | – | – |\n";
        return;
    }
    const auto timeOf = [&](std::string_view operation) {
        const Measurement* reference = Find(row.input, operation);
        return reference != nullptr && reference->error.empty() ? reference->nsPerRun : 0.0;
    };
    // Against the peers only the text parser's row: they do its work.
    const bool parses = row.operation == bench_operation::kParse;
    out << Format(row.nsPerRun < 100 ? "%.1f" : "%.0f", row.nsPerRun) << " | "
        << Format("%.1f", row.bytesPerRun / row.nsPerRun * 1e3) << " | "
        << (row.operation == bench_operation::kFloor
                ? "1"
                : Ratio(row.nsPerRun, timeOf(bench_operation::kFloor)))
        << " | " << (parses ? Ratio(row.nsPerRun, timeOf(bench_operation::kNlohmann)) : "–")
        << " | " << (parses ? Ratio(row.nsPerRun, timeOf(bench_operation::kSimdjson)) : "–")
        << " |\n";
}

void MarkdownTableReporter::PrintGoals(std::ostream& out) const {
    out << "Goals:\n";
    bool ahead = true;
    out << "- parse+number faster than each JSON peer on the same tree:";
    for (const std::string& input : m_inputOrder) {
        const Measurement* parse = Find(input, bench_operation::kParse);
        out << ' ' << input;
        for (const std::string_view operation :
             {bench_operation::kNlohmann, bench_operation::kSimdjson}) {
            const Measurement* peer = Find(input, operation);
            if (parse == nullptr || !parse->error.empty() || peer == nullptr) {
                out << " not measured";
                ahead = false;
            } else if (!peer->error.empty()) {
                // A peer that cannot read the input is beaten by any parser that can.
                out << " (" << operation << " failed)";
            } else {
                const double ratio = parse->nsPerRun / peer->nsPerRun;
                out << ' ' << Format("%.2f", ratio);
                ahead = ahead && ratio < 1.0;
            }
        }
        out << (&input == &m_inputOrder.back() ? "" : ",");
    }
    out << ": " << (ahead ? "met" : "missed") << '\n';
    for (const FloorGoal& goal : kFloorGoals) {
        const Measurement* timed = Find(goal.input, goal.operation);
        const Measurement* floor = Find(goal.input, bench_operation::kFloor);
        out << "- " << goal.input << ' ' << goal.operation << " within "
            << Format("%.0f", goal.most) << " × floor: ";
        if (timed == nullptr || floor == nullptr || !timed->error.empty() ||
            !floor->error.empty()) {
            out << "not measured\n";
            continue;
        }
        const double ratio = timed->nsPerRun / floor->nsPerRun;
        out << Format("%.2f", ratio) << ": " << (ratio <= goal.most ? "met" : "missed") << '\n';
    }
}
