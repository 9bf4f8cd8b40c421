#pragma once

#include "bench/BenchInputs.h"
#include "menu/MenuData.h"

#include <simdjson.h>

#include <cstdint>
#include <string>
#include <vector>

// One benchmark input with everything its benchmarks start from, made once
// before timing: the menu text parsed and numbered, its stored form, the same
// tree as JSON, and a simdjson parser allocated for that JSON. Each operation
// is tried once here; what cannot be done is kept as a reason, so that its
// benchmark reports it instead of timing something else.
struct PreparedInput {
    explicit PreparedInput(BenchInput benchInput);
    PreparedInput(const PreparedInput&) = delete;
    PreparedInput& operator=(const PreparedInput&) = delete;

    BenchInput input;
    CMenuData menu;
    std::vector<std::uint8_t> archive;
    std::string json;
    simdjson::padded_string paddedJson;
    simdjson::dom::parser simdjsonParser;

    // Why an operation cannot be timed; empty when it can.
    std::string parseError;
    std::string unpackError;
    std::string nlohmannError;
    std::string simdjsonError;
    // Why simdjson with its default depth limit turns the JSON down; empty
    // when it takes it.
    std::string simdjsonDefaultDepthError;
};

// The deepest nesting of JSON arrays and objects the simdjson peer accepts:
// enough for the deepest menu 65,536 bytes can hold, whose every sub-menu is
// an object holding an array.
inline constexpr std::size_t kSimdjsonMaxDepth = 2 * (65536 / 6) + 2;
