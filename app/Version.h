#pragma once

#include <string_view>

// The product name: the tray icon's tooltip and the name of every title.
inline constexpr std::string_view kProductName = "Vellinor";

// The program's own version, as the server's menu file names the latest one.
inline constexpr std::string_view kApplicationVersion = VELLINOR_VERSION;
// The version as the About box shows it.
inline constexpr std::string_view kDisplayVersion = VELLINOR_DISPLAY_VERSION;
