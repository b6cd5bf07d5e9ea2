#pragma once
// Subcommands of the `tarvex` tool register themselves here; main() dispatches by name. Each reads
// its arguments with CCommandLine (CommandLine.h), which also answers its --help.
// Exit codes: 0 success, 1 a file could not be read or written, 2 wrong usage.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tarvex::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFile = 1;
inline constexpr int kExitUsage = 2;

using CommandFn = std::function<int(const std::vector<std::string>& args)>;

struct Command {
    std::string name;
    std::string usage;  // e.g. "dump FILE"
    std::string summary;
    CommandFn run;
};

std::vector<Command>& Registry();

struct CommandRegistrar {
    CommandRegistrar(std::string name, std::string usage, std::string summary, CommandFn run) {
        Registry().push_back({std::move(name), std::move(usage), std::move(summary), std::move(run)});
    }
};

// A file name from the command line as the file system names it: the argument's bytes as they are
// (a name that is not UTF-8 is still the same file), never decoded and encoded again.
inline std::filesystem::path ArgPath(const std::string& arg) {
    return std::filesystem::path(arg);
}

// Asked by every command before it opens a file it reads: what is no regular file (a pipe, a
// device) is refused at once with the readers' message, because opening a pipe to read waits for a
// writer. A missing file or a folder passes; its reader tells what is wrong. false: the message is
// printed, exit with kExitFile.
bool CheckInputFile(const std::string& file);

// Prints "usage: tarvex <usage>" to stderr and returns kExitUsage.
int UsageError(const std::string& usage);

}  // namespace tarvex::cli
