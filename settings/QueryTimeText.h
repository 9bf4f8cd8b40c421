#pragma once

#include <ctime>
#include <string>

// A local time in the C locale's short picture "M/d/yy H:mm:ss", for example
// "9/30/02 14:05:00". Built here rather than with strftime's "%c", because the
// C libraries that Windows programs link disagree on what that prints.
std::string FormatShortDateTime(const std::tm& local);
