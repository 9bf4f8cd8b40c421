#include "bench/BenchInputs.h"

#include <cstddef>
#include <random>

namespace {

// The most the program reads of a downloaded menu.
constexpr std::size_t kMaxMenuBytes = 65536;

// Format, version and menu number.
constexpr char kHeader[] = "1\n2.1.2.5\n1\n";

std::string ExampleMenu() {
    return "1\n2.1.2.5\n37\n"
           "BEGIN Sites\n"
           "News\tnews.htm\n"
           "-\n"
           "BEGIN &Reference\n"
           "Episodes\t\tepisodes.htm\n"
           "END\n"
           "END\n";
}

// Builds a menu the way makers keep theirs: indented blocks, captions with a
// mnemonic, full addresses. The word choice is pseudo-random from a fixed seed
// with a generator whose sequence the language fixes, so the bytes never vary.
class TypicalMenuWriter {
public:
    std::string Write() {
        m_text = kHeader;
        Line("BEGIN Vellinor Sites");
        ++m_depth;
        for (int i = 0; i < 4; ++i)
            Site("vellinor");
        Line("-");
        static const char* const kSections[][2] = {
            {"&News", "dailyherald"},      {"&Weather", "skywatch"},
            {"S&ports", "scoreboard"},     {"&Finance", "marketwire"},
            {"&Travel", "roamguide"},      {"Sh&opping", "bargainhall"},
            {"&Reference", "openlexicon"}, {"Te&chnology", "circuitry"}};
        for (const auto& section : kSections)
            Section(section[0], section[1]);
        Line("-");
        for (int i = 0; i < 4; ++i)
            Site("vellinor");
        --m_depth;
        Line("END");
        return m_text;
    }

private:
    // 24 sites: a dozen, a divider, a nested block of six, six more.
    void Section(const char* caption, const char* host) {
        Line(std::string("BEGIN ") + caption);
        ++m_depth;
        for (int i = 0; i < 12; ++i)
            Site(host);
        Line("-");
        Line("BEGIN More from " + std::string(host));
        ++m_depth;
        for (int i = 0; i < 6; ++i)
            Site(host);
        --m_depth;
        Line("END");
        for (int i = 0; i < 6; ++i)
            Site(host);
        --m_depth;
        Line("END");
    }

    void Site(const std::string& host) {
        static const char* const kWords[] = {
            "World",    "Local",   "Daily",     "Business", "Science", "Health",  "Markets",
            "Weekend",  "Guide",   "Review",    "Forecast", "Scores",  "Deals",   "Archive",
            "Library",  "Gallery", "Headlines", "Opinion",  "Events",  "Maps",    "Recipes",
            "Podcasts", "Video",   "Letters",   "Classics", "Travel",  "Careers", "Garden"};
        constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];
        const std::string first = kWords[m_random() % kWordCount];
        const std::string second = kWords[m_random() % kWordCount];
        const std::string caption = (m_random() % 3 == 0 ? "&" : "") + first + " " + second;
        const std::string address = "https://www." + host + ".example/" + Lower(first) + "/" +
                                    Lower(second) + "-" + std::to_string(m_random() % 1000) +
                                    ".html";
        Line(caption + "\t" + address);
    }

    void Line(const std::string& line) {
        m_text.append(2 * m_depth, ' ');
        m_text += line;
        m_text += '\n';
    }

    static std::string Lower(std::string word) {
        for (char& c : word)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return word;
    }

    std::string m_text;
    std::size_t m_depth = 0;
    std::minstd_rand m_random{20250101};
};

// The shortest site line there is: a caption byte, a TAB, an address byte.
std::string FlatMenu() {
    constexpr char kOpen[] = "BEGIN Sites\n";
    constexpr char kClose[] = "END\n";
    constexpr std::size_t kSiteLine = 4;
    std::string text = std::string(kHeader) + kOpen;
    const std::size_t sites = (kMaxMenuBytes - text.size() - (sizeof kClose - 1)) / kSiteLine;
    for (std::size_t i = 0; i < sites; ++i) {
        text += static_cast<char>('a' + i % 26);
        text += '\t';
        text += static_cast<char>('A' + i / 26 % 26);
        text += '\n';
    }
    return text + kClose;
}

// Nothing but the shortest opening line; the end of the text closes every block.
std::string DeepMenu() {
    constexpr char kOpen[] = "BEGIN\n";
    constexpr std::size_t kOpenLine = sizeof kOpen - 1;
    std::string text = kHeader;
    const std::size_t levels = (kMaxMenuBytes - text.size()) / kOpenLine;
    for (std::size_t i = 0; i < levels; ++i)
        text += kOpen;
    return text;
}

} // namespace

std::vector<BenchInput> MakeBenchInputs() {
    return {{"example", ExampleMenu()},
            {kTypicalMenuName, TypicalMenuWriter().Write()},
            {kFlatMenuName, FlatMenu()},
            {"deep-64KiB", DeepMenu()}};
}
