#include "browser/BrowserAddress.h"

#include <cctype>

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

// What follows "http://": the host, port and user, up to the path.
std::string_view AuthorityOf(std::string_view rest) {
    return rest.substr(0, rest.find_first_of("/?#"));
}

// "www.example.com", "news.htm": letters, digits and hyphens in labels
// separated by dots, at least two labels, none starting or ending with a
// hyphen.
bool IsDottedHostName(std::string_view host) {
    std::size_t labels = 0;
    for (std::size_t start = 0;; ++labels) {
        const std::size_t dot = host.find('.', start);
        const std::string_view label = host.substr(start, dot - start);
        if (label.empty() || label.front() == '-' || label.back() == '-')
            return false;
        for (char c : label)
            if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '-')
                return false;
        if (dot == std::string_view::npos)
            return labels >= 1;
        start = dot + 1;
    }
}

bool IsPort(std::string_view digits) {
    if (digits.empty() || digits.size() > 5)
        return false;
    unsigned value = 0;
    for (char c : digits) {
        if (!IsAsciiDigit(c))
            return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value <= 65535;
}

// host[:port][/path...] with nothing a command line or the shell could read
// as something else.
bool IsSchemelessWebAddress(std::string_view address) {
    for (char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte == 0x7F || c == '\\')
            return false;
    }
    const std::string_view authority = AuthorityOf(address);
    const std::size_t colon = authority.find(':');
    if (colon != std::string_view::npos && !IsPort(authority.substr(colon + 1)))
        return false;
    return IsDottedHostName(authority.substr(0, colon));
}

} // namespace

bool IsHttpAddress(std::string_view address) {
    std::string_view rest;
    if (StartsWithIgnoringCase(address, "http://"))
        rest = address.substr(7);
    else if (StartsWithIgnoringCase(address, "https://"))
        rest = address.substr(8);
    else
        return false;
    const std::string_view authority = AuthorityOf(rest);
    // The host is what follows any "user@"; "http://@" or "http://:80" has none.
    const std::string_view host = authority.substr(authority.rfind('@') + 1);
    return !host.empty() && host.front() != ':';
}

std::optional<std::string> AddressToOpen(std::string_view address) {
    if (IsHttpAddress(address))
        return std::string(address);
    if (IsSchemelessWebAddress(address))
        return "http://" + std::string(address);
    return std::nullopt;
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
