#include "bench/MenuBenchmarks.h"

#include "bench/BenchOperations.h"
#include "bench/NlohmannPeer.h"
#include "bench/SimdjsonPeer.h"
#include "menu/CommandCounter.h"
#include "menu/MenuArchive.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string_view>

namespace {

// Runs body once per iteration unless the operation cannot be done on this
// input, and counts the bytes it works through.
template <class Body>
void Measure(benchmark::State& state, const std::string& error, std::size_t bytes, Body body) {
    if (!error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state)
        body();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["bytes"] = static_cast<double>(bytes);
}

// What any reader of the text must at least do: look at every byte once to
// find the line ends.
void Floor(benchmark::State& state, const PreparedInput* prepared) {
    const std::string& text = prepared->input.text;
    Measure(state, {}, text.size(), [&] {
        std::size_t lines = 0;
        const char* next = text.data();
        const char* const end = next + text.size();
        while ((next = static_cast<const char*>(std::memchr(next, '\n', end - next))) != nullptr) {
            ++lines;
            ++next;
        }
        benchmark::DoNotOptimize(lines);
    });
}

void ParseAndNumber(benchmark::State& state, const PreparedInput* prepared) {
    const std::string& text = prepared->input.text;
    Measure(state, prepared->parseError, text.size(), [&] {
        CMenuData menu;
        const int result = menu.ParseText(0, text.data(), text.size());
        NumberSites(menu.m_rootPopUp);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(menu.m_rootPopUp.m_arrChildren.data());
    });
}

void Pack(benchmark::State& state, const PreparedInput* prepared) {
    Measure(state, prepared->parseError, prepared->archive.size(), [&] {
        const std::vector<std::uint8_t> bytes = WriteMenuArchive(prepared->menu);
        benchmark::DoNotOptimize(bytes.data());
    });
}

void Unpack(benchmark::State& state, const PreparedInput* prepared) {
    const std::vector<std::uint8_t>& archive = prepared->archive;
    Measure(state, prepared->unpackError, archive.size(), [&] {
        const ArchiveReadResult result = ReadMenuArchive(archive.data(), archive.size());
        benchmark::DoNotOptimize(result.menu.get());
    });
}

void Nlohmann(benchmark::State& state, const PreparedInput* prepared) {
    Measure(state, prepared->nlohmannError, prepared->json.size(), [&] {
        CMenuData menu;
        const std::string error = BuildMenuWithNlohmann(prepared->json, menu);
        benchmark::DoNotOptimize(error.data());
        benchmark::DoNotOptimize(menu.m_rootPopUp.m_arrChildren.data());
    });
}

void Simdjson(benchmark::State& state, PreparedInput* prepared) {
    Measure(state, prepared->simdjsonError, prepared->json.size(), [&] {
        CMenuData menu;
        const std::string error =
            BuildMenuWithSimdjson(prepared->simdjsonParser, prepared->paddedJson, menu);
        benchmark::DoNotOptimize(error.data());
        benchmark::DoNotOptimize(menu.m_rootPopUp.m_arrChildren.data());
    });
}

template <class Function>
void Register(const PreparedInput& prepared, std::string_view operation, Function function) {
    const std::string name = prepared.input.name + "/" + std::string(operation);
    benchmark::RegisterBenchmark(name.c_str(), function)->Unit(benchmark::kNanosecond);
}

} // namespace

void RegisterMenuBenchmarks(const std::vector<std::unique_ptr<PreparedInput>>& inputs) {
    for (const auto& input : inputs) {
        PreparedInput* const prepared = input.get();
        Register(*prepared, bench_operation::kFloor,
                 [prepared](benchmark::State& state) { Floor(state, prepared); });
        Register(*prepared, bench_operation::kParse,
                 [prepared](benchmark::State& state) { ParseAndNumber(state, prepared); });
        Register(*prepared, bench_operation::kPack,
                 [prepared](benchmark::State& state) { Pack(state, prepared); });
        Register(*prepared, bench_operation::kUnpack,
                 [prepared](benchmark::State& state) { Unpack(state, prepared); });
        Register(*prepared, bench_operation::kNlohmann,
                 [prepared](benchmark::State& state) { Nlohmann(state, prepared); });
        Register(*prepared, bench_operation::kSimdjson,
                 [prepared](benchmark::State& state) { Simdjson(state, prepared); });
    }
}
