#include "bench/PreparedInput.h"

#include "bench/JsonBookmarks.h"
#include "bench/NlohmannPeer.h"
#include "bench/SimdjsonPeer.h"
#include "menu/CommandCounter.h"
#include "menu/MenuArchive.h"

#include <utility>

namespace {

// A peer must give the very tree the text gives: same entries, captions,
// addresses and numbers. Their stored forms say so byte for byte.
std::string CompareWithText(const std::string& peerError, CMenuData& peerMenu,
                            const PreparedInput& prepared) {
    if (!peerError.empty())
        return peerError;
    peerMenu.m_wMenuNumber = prepared.menu.m_wMenuNumber;
    return WriteMenuArchive(peerMenu) == prepared.archive ? std::string()
                                                          : "built a different tree";
}

} // namespace

PreparedInput::PreparedInput(BenchInput benchInput) : input(std::move(benchInput)) {
    const int result = menu.ParseText(0, input.text.data(), input.text.size());
    if (result != 0)
        parseError = "the text gives result " + std::to_string(result);
    NumberSites(menu.m_rootPopUp);
    archive = WriteMenuArchive(menu);
    const ArchiveReadResult unpacked = ReadMenuArchive(archive.data(), archive.size());
    if (unpacked.error != ArchiveError::none)
        unpackError = ArchiveErrorName(unpacked.error);

    json = WriteJsonBookmarks(menu.m_rootPopUp);
    paddedJson = simdjson::padded_string(json);

    CMenuData nlohmannMenu;
    nlohmannError = CompareWithText(BuildMenuWithNlohmann(json, nlohmannMenu), nlohmannMenu, *this);

    if (const auto error = simdjsonParser.allocate(json.size(), kSimdjsonMaxDepth)) {
        simdjsonError = simdjson::error_message(error);
    } else {
        CMenuData simdjsonMenu;
        simdjsonError = CompareWithText(
            BuildMenuWithSimdjson(simdjsonParser, paddedJson, simdjsonMenu), simdjsonMenu, *this);
    }

    simdjson::dom::parser defaultParser;
    CMenuData defaultDepthMenu;
    simdjsonDefaultDepthError = BuildMenuWithSimdjson(defaultParser, paddedJson, defaultDepthMenu);
}
