#include "tests/fuzz/FuzzCheck.h"
#include "tools/PrivateKeyPem.h"
#include "update/Base64Text.h"
#include "update/MenuSignature.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// A value read from a line is the only one that line can mean: written
// again it is the line without the blanks around it.
template <typename Value> void CheckOneTextPerValue(const Value& value, std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    const std::string_view line = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    FuzzCheck(line == EncodeBase64(value.data(), value.size()),
              "a line reads as the value it encodes and nothing else");
}

} // namespace

// What the program and the tool take from a policy value, a .sig file or a
// private key file, whatever they hold.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto key = ReadPublicKeyLine(text))
        CheckOneTextPerValue(*key, text);
    if (const auto signature = ReadSignatureLine(text))
        CheckOneTextPerValue(*signature, text);
    if (const auto pair = ReadPrivateKeyPem(text)) {
        const auto again = ReadPrivateKeyPem(FormatPrivateKeyPem(*pair));
        FuzzCheck(again && again->secret == pair->secret && again->point == pair->point,
                  "a private key file written again reads as the same key");
    }
    return 0;
}
