#include "tools/QuotedString.h"

std::string QuoteBytes(std::string_view bytes) {
    static const char kHexDigits[] = "0123456789abcdef";
    std::string quoted;
    quoted.reserve(bytes.size() + 2);
    quoted.push_back('"');
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
            quoted += "\\\\";
            break;
        case '"':
            quoted += "\\\"";
            break;
        case '\t':
            quoted += "\\t";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\n':
            quoted += "\\n";
            break;
        default:
            if (byte < 0x20 || byte >= 0x7F) {
                quoted += "\\x";
                quoted.push_back(kHexDigits[byte >> 4]);
                quoted.push_back(kHexDigits[byte & 0x0F]);
            } else {
                quoted.push_back(c);
            }
        }
    }
    quoted.push_back('"');
    return quoted;
}
