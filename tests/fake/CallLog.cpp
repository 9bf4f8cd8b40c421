#include "tests/fake/CallLog.h"

std::size_t CallLog::Count(const std::string& prefix) const {
    std::size_t count = 0;
    for (const std::string& line : m_lines)
        if (line.compare(0, prefix.size(), prefix) == 0)
            ++count;
    return count;
}
