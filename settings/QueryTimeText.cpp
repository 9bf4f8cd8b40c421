#include "settings/QueryTimeText.h"

#include <cstdio>

std::string FormatShortDateTime(const std::tm& local) {
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%02d %d:%02d:%02d", local.tm_mon + 1, local.tm_mday,
                  local.tm_year % 100, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}
