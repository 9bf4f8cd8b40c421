#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

// The console report, followed by a Markdown table that sets each figure
// beside the floor and the JSON peers of the same input, and the goals with
// whether each is met. With repetitions, the medians count.
// Rows follow the given order of inputs, whatever order the runs came in.
// Plain text, no colours, so that the output can be kept as it is.
class MarkdownTableReporter : public benchmark::ConsoleReporter {
public:
    explicit MarkdownTableReporter(std::vector<std::string> inputOrder)
        : ConsoleReporter(OO_Tabular), m_inputOrder(std::move(inputOrder)) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Measurement {
        std::string input;
        std::string operation;
        double nsPerRun = 0;
        double bytesPerRun = 0;
        std::string error; // why the benchmark could not run; empty when it did
    };

    // The position of an input's measurement of an operation; npos if none.
    std::size_t IndexOf(const std::string& input, std::string_view operation) const;
    const Measurement* Find(const std::string& input, std::string_view operation) const;
    void PrintTable(std::ostream& out) const;
    void PrintRow(std::ostream& out, const Measurement& row) const;
    void PrintGoals(std::ostream& out) const;

    std::vector<std::string> m_inputOrder;
    std::vector<Measurement> m_measurements;
};
