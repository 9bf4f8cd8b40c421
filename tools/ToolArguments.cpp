#include "tools/ToolArguments.h"

#include <cstddef>

const char kToolUsage[] =
    "usage: vellinor-menu check FILE\n"
    "       vellinor-menu show FILE [--held N]\n"
    "       vellinor-menu pack FILE [-o OUT] [--reg]\n"
    "       vellinor-menu unpack BLOB [--text]\n"
    "       vellinor-menu keygen PRIVATE.pem\n"
    "       vellinor-menu sign FILE -k PRIVATE.pem\n"
    "       vellinor-menu verify FILE PUBLIC-KEY\n"
    "every command also takes --codepage N, the users' ANSI code page for text saved\n"
    "as UTF-8 with a byte-order mark and for stored UTF-16 captions (default 1252,\n"
    "or the system's in vellinor-menu.exe)\n";

namespace {

struct CommandName {
    const char* word;
    ToolCommand command;
};

constexpr CommandName kCommands[] = {
    {"check", ToolCommand::Check},   {"show", ToolCommand::Show},     {"pack", ToolCommand::Pack},
    {"unpack", ToolCommand::Unpack}, {"keygen", ToolCommand::Keygen}, {"sign", ToolCommand::Sign},
    {"verify", ToolCommand::Verify},
};

// Decimal digits only, 0 to 65535.
bool ReadSixteenBits(const std::string& word, std::uint16_t& number) {
    if (word.empty() || word.size() > 5)
        return false;
    unsigned long value = 0;
    for (const char c : word) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<unsigned long>(c - '0');
    }
    if (value > 0xFFFF)
        return false;
    number = static_cast<std::uint16_t>(value);
    return true;
}

// Code pages are numbered from 1 to 65535.
bool ReadCodePage(const std::string& word, unsigned& codePage) {
    std::uint16_t number = 0;
    if (!ReadSixteenBits(word, number) || number == 0)
        return false;
    codePage = number;
    return true;
}

ParsedArguments Refuse(std::string error) {
    ParsedArguments parsed;
    parsed.error = std::move(error);
    return parsed;
}

} // namespace

ParsedArguments ParseToolArguments(const std::vector<std::string>& words) {
    if (words.size() == 1 && (words[0] == "-h" || words[0] == "--help")) {
        ParsedArguments parsed;
        parsed.ok = true;
        return parsed;
    }
    if (words.empty())
        return Refuse("no command given");

    ParsedArguments parsed;
    ToolArguments& arguments = parsed.arguments;
    bool known = false;
    for (const CommandName& name : kCommands) {
        if (words[0] == name.word) {
            arguments.command = name.command;
            known = true;
        }
    }
    if (!known)
        return Refuse("unknown command '" + words[0] + "'");

    const ToolCommand command = arguments.command;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool hasValue = i + 1 < words.size();
        if (command == ToolCommand::Show && word == "--held") {
            if (!hasValue || !ReadSixteenBits(words[++i], arguments.held))
                return Refuse("--held needs a menu number from 0 to 65535");
        } else if (command == ToolCommand::Pack && word == "-o") {
            if (!hasValue || words[i + 1].empty())
                return Refuse("-o needs a file name");
            arguments.output = words[++i];
        } else if (command == ToolCommand::Pack && word == "--reg") {
            arguments.regFile = true;
        } else if (command == ToolCommand::Unpack && word == "--text") {
            arguments.menuText = true;
        } else if (command == ToolCommand::Sign && word == "-k") {
            if (!hasValue || words[i + 1].empty())
                return Refuse("-k needs the private key's file");
            arguments.keyFile = words[++i];
        } else if (word == "--codepage") {
            if (!hasValue || !ReadCodePage(words[++i], arguments.codePage))
                return Refuse("--codepage needs a code page number from 1 to 65535");
        } else if (word.size() > 1 && word[0] == '-') {
            return Refuse("unknown option '" + word + "' for " + words[0]);
        } else if (arguments.input.empty()) {
            arguments.input = word;
        } else if (command == ToolCommand::Verify && arguments.publicKey.empty()) {
            arguments.publicKey = word;
        } else {
            return Refuse("more than one file given");
        }
    }
    if (arguments.input.empty())
        return Refuse("no file given");
    if (command == ToolCommand::Sign && arguments.keyFile.empty())
        return Refuse("sign needs -k and the private key's file");
    if (command == ToolCommand::Verify && arguments.publicKey.empty())
        return Refuse("verify needs the publisher's public key after the file");
    parsed.ok = true;
    return parsed;
}
