#pragma once

#include <string_view>

// What each benchmark times; a benchmark is named "<input>/<operation>".
namespace bench_operation {
inline constexpr std::string_view kFloor = "floor:memchr";
inline constexpr std::string_view kParse = "parse+number";
inline constexpr std::string_view kPack = "pack";
inline constexpr std::string_view kUnpack = "unpack";
inline constexpr std::string_view kNlohmann = "json:nlohmann";
inline constexpr std::string_view kSimdjson = "json:simdjson";

// The order in which reports list them.
inline constexpr std::string_view kAll[] = {kFloor, kParse, kPack, kUnpack, kNlohmann, kSimdjson};
} // namespace bench_operation
