// vellinor-menu: tells a maker what the program makes of a menu file, and
// turns menus into the stored form and back.
#include "menu/MenuArchive.h"
#include "platform/Services.h"
#include "tools/DownloadedMenu.h"
#include "tools/MenuCheck.h"
#include "tools/MenuListing.h"
#include "tools/MenuTextExport.h"
#include "tools/RegFile.h"
#include "tools/ToolArguments.h"
#include "tools/ToolMessages.h"
#include "tools/ToolText.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr int kExitUsage = 2;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The whole file, or false with the system's reason.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
    std::error_code ignored;
    // Some systems open a folder as an empty file, others refuse it with a
    // reason that does not say why.
    if (std::filesystem::is_directory(path, ignored)) {
        reason = std::strerror(EISDIR);
        return false;
    }
    errno = 0;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (file == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;)
        bytes.append(buffer, n);
    if (std::ferror(file.get()) != 0) {
        reason = errno != 0 ? std::strerror(errno) : "read error";
        return false;
    }
    return true;
}

bool WriteOutput(const std::string& path, const std::string& bytes) {
    if (path.empty()) {
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(std::cout.flush());
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

const char* NoMenuReason(int result) {
    switch (result) {
    case 1:
        return "its menu number reads as 0, which a program holding no menu already has";
    case 2:
        return "its format number is not 1";
    default:
        return "it has too little data (20 bytes or fewer, or fewer than 6 lines)";
    }
}

int Check(const ToolArguments& arguments, const std::string& bytes) {
    const std::vector<CheckFinding> findings = CheckMenuText(bytes.data(), bytes.size());
    WriteFindings(std::cout, arguments.input, findings);
    return CheckExitCode(findings);
}

int Show(const ToolArguments& arguments, const std::string& bytes) {
    CMenuData menu;
    const int result = ReadDownloadedMenu(arguments.held, bytes.data(), bytes.size(), menu);
    WriteShowListing(std::cout, result, menu);
    return 0;
}

int Pack(const ToolArguments& arguments, const std::string& bytes) {
    CMenuData menu;
    const int result = ReadDownloadedMenu(0, bytes.data(), bytes.size(), menu);
    if (result != 0) {
        std::cerr << "vellinor-menu: " << arguments.input << " gives no new menu (result " << result
                  << "): " << NoMenuReason(result) << '\n';
        return 1;
    }
    const std::vector<std::uint8_t> stored = WriteMenuArchive(menu);
    const std::string output =
        arguments.regFile ? MakeMenuRegFile(stored) : std::string(stored.begin(), stored.end());
    if (!WriteOutput(arguments.output, output)) {
        std::cerr << "vellinor-menu: cannot write "
                  << (arguments.output.empty() ? "standard output" : arguments.output) << '\n';
        return kExitUsage;
    }
    return 0;
}

int Unpack(const ToolArguments& arguments, const std::string& bytes) {
    const ArchiveReadResult read =
        ReadMenuArchive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    if (read.error != ArchiveError::none) {
        std::cerr << "error: " << ArchiveErrorName(read.error) << '\n';
        return 1;
    }
    if (!arguments.menuText) {
        WriteStoredListing(std::cout, *read.menu);
        return 0;
    }
    const MenuTextExport exported = ExportMenuText(*read.menu);
    if (!exported.problems.empty()) {
        for (const std::string& problem : exported.problems)
            std::cerr << "vellinor-menu: " << arguments.input << ": " << problem << '\n';
        std::cerr << "vellinor-menu: no text written: no menu text gives back this menu\n";
        return 1;
    }
    std::cout << exported.text;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The same bytes on every system: stored menus, .reg files with their own
    // CR LF, and listings with plain line feeds.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const ParsedArguments parsed =
        ParseToolArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.ok) {
        std::cerr << "vellinor-menu: " << parsed.error << '\n' << kToolUsage;
        return kExitUsage;
    }
    const ToolArguments& arguments = parsed.arguments;
    if (arguments.command == ToolCommand::Help) {
        std::cout << kToolUsage;
        return 0;
    }

    ToolText text(arguments.codePage);
    if (!text.IsUsable()) {
        std::cerr << "vellinor-menu: code page " << arguments.codePage
                  << " cannot be converted to on this system\n";
        return kExitUsage;
    }
    std::string bytes;
    std::string reason;
    if (!ReadWholeFile(arguments.input, bytes, reason)) {
        std::cerr << "vellinor-menu: " << arguments.input << ": " << reason << '\n';
        return kExitUsage;
    }

    ToolMessages messages(std::cerr);
    Provide<MessageService>(&messages);
    Provide<TextService>(&text);

    switch (arguments.command) {
    case ToolCommand::Check:
        return Check(arguments, bytes);
    case ToolCommand::Show:
        return Show(arguments, bytes);
    case ToolCommand::Pack:
        return Pack(arguments, bytes);
    case ToolCommand::Unpack:
        return Unpack(arguments, bytes);
    case ToolCommand::Help:
        break;
    }
    return 0;
}
