#include "tools/RegFile.h"

namespace {

constexpr std::size_t kMaxColumns = 80;
constexpr char kLineEnd[] = "\r\n";
constexpr char kContinuationIndent[] = "  ";

} // namespace

std::string MakeMenuRegFile(const std::vector<std::uint8_t>& data) {
    static const char kHexDigits[] = "0123456789abcdef";
    std::string file = "REGEDIT4";
    file += kLineEnd;
    file += kLineEnd;
    file += "[HKEY_CURRENT_USER\\Software\\Vellinor]";
    file += kLineEnd;

    std::string line = "\"MenuData\"=hex:";
    for (std::size_t i = 0; i < data.size(); ++i) {
        line.push_back(kHexDigits[data[i] >> 4]);
        line.push_back(kHexDigits[data[i] & 0x0F]);
        if (i + 1 == data.size())
            break;
        line.push_back(',');
        // The next pair, its comma and the backslash must still fit.
        if (line.size() + 4 > kMaxColumns) {
            file += line;
            file += '\\';
            file += kLineEnd;
            line = kContinuationIndent;
        }
    }
    file += line;
    file += kLineEnd;
    file += kLineEnd;
    return file;
}
