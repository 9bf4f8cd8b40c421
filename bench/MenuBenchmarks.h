#pragma once

#include "bench/PreparedInput.h"

#include <memory>
#include <vector>

// Registers, for every input, the floor, parse-and-number, pack, unpack and
// the two JSON peers. The inputs must outlive the benchmark run.
void RegisterMenuBenchmarks(const std::vector<std::unique_ptr<PreparedInput>>& inputs);
