#pragma once

#include <string>
#include <vector>

// Every call the program makes into the fake platform, in order, one line each
// ("CreatePopupMenu -> 1", "ShowMessage 202 0x40", ...).
class CallLog {
public:
    void Record(std::string line) { m_lines.push_back(std::move(line)); }
    const std::vector<std::string>& Lines() const { return m_lines; }
    void Clear() { m_lines.clear(); }
    // How many recorded lines start with prefix.
    std::size_t Count(const std::string& prefix) const;

private:
    std::vector<std::string> m_lines;
};
