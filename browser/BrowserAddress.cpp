#include "browser/BrowserAddress.h"

#include <cctype>

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The scheme of an address ("http" of "http://x"), or empty when it has none.
// "host:8080/path" has a port, not a scheme.
std::string_view SchemeOf(std::string_view address) {
    if (address.empty() || !IsAsciiLetter(address[0]))
        return {};
    std::size_t i = 1;
    while (i < address.size() && (IsAsciiLetter(address[i]) || IsAsciiDigit(address[i]) ||
                                  address[i] == '+' || address[i] == '-' || address[i] == '.'))
        ++i;
    if (i == address.size() || address[i] != ':')
        return {};
    std::size_t port = i + 1;
    while (port < address.size() && IsAsciiDigit(address[port]))
        ++port;
    const bool isPort = port > i + 1 && (port == address.size() || address[port] == '/');
    return isPort ? std::string_view() : address.substr(0, i);
}

} // namespace

bool IsWebAddress(std::string_view address) {
    if (address.empty())
        return false;
    // "\\server\share", "/etc", "\folder"
    if (address[0] == '\\' || address[0] == '/')
        return false;
    const std::string_view scheme = SchemeOf(address);
    if (scheme.empty())
        return true;
    // A single letter before the colon is a drive: "C:\Windows", "c:file".
    if (scheme.size() == 1)
        return false;
    return EqualsIgnoringCase(scheme, "http") || EqualsIgnoringCase(scheme, "https");
}

std::string EncodeForCommandLine(std::string_view address) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(address.size());
    for (char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || byte == ' ' || byte < 0x20 || byte == 0x7F) {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0xF];
        } else {
            encoded += c;
        }
    }
    return encoded;
}

std::string BuildBrowserCommandLine(std::string_view commandTemplate, std::string_view address) {
    const std::string_view insert = "%1";
    if (commandTemplate.find(insert) == std::string_view::npos) {
        std::string line(commandTemplate);
        line += ' ';
        line += address;
        return line;
    }
    std::string line;
    std::size_t start = 0;
    for (std::size_t found; (found = commandTemplate.find(insert, start)) != std::string_view::npos;
         start = found + insert.size()) {
        line += commandTemplate.substr(start, found - start);
        line += address;
    }
    line += commandTemplate.substr(start);
    return line;
}
