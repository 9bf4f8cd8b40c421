// vellinor-menu: tells a maker what the program makes of a menu file, turns
// menus into the stored form and back, and signs them as their publisher.
#include "menu/MenuArchive.h"
#include "platform/PublisherKeys.h"
#include "platform/Services.h"
#include "tools/DownloadedMenu.h"
#include "tools/MenuCheck.h"
#include "tools/MenuListing.h"
#include "tools/MenuTextExport.h"
#include "tools/MenuTextLimits.h"
#include "tools/PrivateKeyPem.h"
#include "tools/RegFile.h"
#include "tools/ToolArguments.h"
#include "tools/ToolMessages.h"
#include "tools/ToolText.h"
#include "update/Base64Text.h"
#include "update/MenuSignature.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include <fcntl.h>
#ifdef _WIN32
#include "platform/win32/Win32Signatures.h"
#include <io.h>
#include <sys/stat.h>
using SystemSignatures = Win32Signatures;
constexpr int kNewFileFlags = _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY;
constexpr int kOwnerOnly = _S_IREAD | _S_IWRITE;
#else
#include "platform/openssl/OpenSslSignatures.h"
#include <unistd.h>
using SystemSignatures = OpenSslSignatures;
constexpr int kNewFileFlags = O_WRONLY | O_CREAT | O_EXCL;
constexpr int kOwnerOnly = 0600;
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

// A file that did not exist, readable by its owner alone where the system
// keeps such modes. A private key is never written over: a lost key is a
// menu its users' programs can no longer be given.
bool WriteNewFile(const std::string& path, const std::string& bytes, std::string& reason) {
    const int file = open(path.c_str(), kNewFileFlags, kOwnerOnly);
    if (file < 0) {
        reason = std::strerror(errno);
        return false;
    }
    const bool written = write(file, bytes.data(), static_cast<unsigned>(bytes.size())) ==
                         static_cast<int>(bytes.size());
    const int writeError = errno;
    if (close(file) == 0 && written)
        return true;
    reason = std::strerror(written ? errno : writeError);
    return false;
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

int Keygen(const ToolArguments& arguments) {
    PublisherKeyPair pair;
    std::string reason;
    if (!GeneratePublisherKey(pair)) {
        std::cerr << "vellinor-menu: the system could not make a key\n";
        return 1;
    }
    if (!WriteNewFile(arguments.input, FormatPrivateKeyPem(pair), reason)) {
        std::cerr << "vellinor-menu: " << arguments.input << ": " << reason << '\n';
        return kExitUsage;
    }
    std::cout << EncodeBase64(pair.point.data(), pair.point.size()) << '\n';
    return 0;
}

// The program reads no more of a menu than it could check a signature of.
bool ReadsWhole(const ToolArguments& arguments, const std::string& bytes) {
    if (bytes.size() <= kMaxBodyBytes)
        return true;
    std::cerr << "vellinor-menu: " << arguments.input << " has " << bytes.size()
              << " bytes; the program reads " << kMaxBodyBytes
              << " and could never match a signature of more\n";
    return false;
}

int Sign(const ToolArguments& arguments, const std::string& bytes) {
    std::string pem, reason;
    if (!ReadWholeFile(arguments.keyFile, pem, reason)) {
        std::cerr << "vellinor-menu: " << arguments.keyFile << ": " << reason << '\n';
        return kExitUsage;
    }
    const std::optional<PublisherKeyPair> pair = ReadPrivateKeyPem(pem);
    if (!pair) {
        std::cerr << "vellinor-menu: " << arguments.keyFile
                  << ": not a P-256 private key as vellinor-menu keygen writes it\n";
        return kExitUsage;
    }
    if (!ReadsWhole(arguments, bytes))
        return 1;
    // A key whose point is not its scalar's would sign what its public key refuses.
    MenuSignature signature{};
    if (!SignAsPublisher(*pair, bytes, signature) ||
        !SystemSignatures().Verify(pair->point, signature, bytes)) {
        std::cerr << "vellinor-menu: " << arguments.keyFile
                  << ": its public key does not check what its private key signs\n";
        return 1;
    }
    const std::string sigFile = arguments.input + ".sig";
    if (!WriteOutput(sigFile, EncodeBase64(signature.data(), signature.size()) + "\n")) {
        std::cerr << "vellinor-menu: cannot write " << sigFile << '\n';
        return kExitUsage;
    }
    return 0;
}

int Verify(const ToolArguments& arguments, const std::string& bytes) {
    const std::optional<MenuPublicKey> key = ReadPublicKeyLine(arguments.publicKey);
    if (!key) {
        std::cerr << "vellinor-menu: '" << arguments.publicKey
                  << "' is not a public key as vellinor-menu keygen prints it\n";
        return kExitUsage;
    }
    const std::string sigFile = arguments.input + ".sig";
    std::string line, reason;
    if (!ReadWholeFile(sigFile, line, reason)) {
        std::cerr << "vellinor-menu: " << sigFile << ": " << reason << '\n';
        return 1;
    }
    const std::optional<MenuSignature> signature = ReadSignatureLine(line);
    if (!signature) {
        std::cerr << "vellinor-menu: " << sigFile << ": not a signature line\n";
        return 1;
    }
    if (!ReadsWhole(arguments, bytes))
        return 1;
    if (!SystemSignatures().Verify(*key, *signature, bytes)) {
        std::cerr << "vellinor-menu: " << sigFile << ": not a signature of " << arguments.input
                  << " by this key\n";
        return 1;
    }
    std::cout << arguments.input << ": signed by this key\n";
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
    if (arguments.command == ToolCommand::Keygen)
        return Keygen(arguments);
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
    case ToolCommand::Sign:
        return Sign(arguments, bytes);
    case ToolCommand::Verify:
        return Verify(arguments, bytes);
    case ToolCommand::Help:
    case ToolCommand::Keygen:
        break;
    }
    return 0;
}
