#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class ToolCommand { Help, Check, Show, Pack, Unpack, Keygen, Sign, Verify };

struct ToolArguments {
    ToolCommand command = ToolCommand::Help;
    std::string input;      // FILE, BLOB, or keygen's PRIVATE.pem
    std::uint16_t held = 0; // show --held N
    std::string output;     // pack -o OUT; empty for standard output
    bool regFile = false;   // pack --reg
    bool menuText = false;  // unpack --text
    unsigned codePage = 0;  // --codepage N; 0 for the tool's default
    std::string keyFile;    // sign -k PRIVATE.pem
    std::string publicKey;  // verify's PUBLIC-KEY, a line of base64
};

struct ParsedArguments {
    bool ok = false;
    ToolArguments arguments;
    std::string error; // why the command line was refused
};

// Reads the words after the program's name. Options may stand before or after
// the file name; each command takes only its own options.
ParsedArguments ParseToolArguments(const std::vector<std::string>& words);

extern const char kToolUsage[];
