// Times the menu text parser, the stored form's writer and reader against a
// memchr floor and two JSON parsers, and prints the table that compares them.
#include "bench/BenchServices.h"
#include "bench/MarkdownTableReporter.h"
#include "bench/MenuBenchmarks.h"

#include <benchmark/benchmark.h>

#include <iostream>

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    BenchServices services;
    std::vector<std::unique_ptr<PreparedInput>> inputs;
    for (BenchInput& input : MakeBenchInputs())
        inputs.push_back(std::make_unique<PreparedInput>(std::move(input)));
    RegisterMenuBenchmarks(inputs);

    std::vector<std::string> inputOrder;
    for (const auto& prepared : inputs)
        inputOrder.push_back(prepared->input.name);
    MarkdownTableReporter reporter(std::move(inputOrder));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::cout << "\nsimdjson reads with its depth limit raised from " << simdjson::DEFAULT_MAX_DEPTH
              << " to " << kSimdjsonMaxDepth << ".";
    for (const auto& prepared : inputs)
        if (!prepared->simdjsonDefaultDepthError.empty())
            std::cout << " With the default limit, " << prepared->input.name
                      << " fails: " << prepared->simdjsonDefaultDepthError << ".";
    std::cout << '\n';
    return 0;
}
