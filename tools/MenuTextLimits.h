#pragma once

#include "menu/DownloadedText.h"

#include <cstddef>

// The limits of a menu file as the program reads it.

// Only the first this many bytes of a downloaded file are read.
inline constexpr std::size_t kMaxBodyBytes = 65536;
// A file of this many bytes or fewer is not parsed at all.
inline constexpr std::size_t kMaxIgnoredBytes = kLargestIgnoredBody;
// A text of fewer lines loads nothing.
inline constexpr std::size_t kMinMenuLines = 6;
// The longest line the format allows, counted before the line feed.
inline constexpr std::size_t kMaxLineBytes = 255;
