#include <iostream>
#include <string>
#include <vector>

#include "CliStrings.h"
#include "Commands.h"
#include "core/app/Version.h"
#include "core/common/CommonStrings.h"

namespace tarvex::cli {

std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}

bool CheckInputFile(const std::string& file) {
    // stat, not open: it never waits, whatever the name stands for.
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(ArgPath(file), ec);
    if (ec || !std::filesystem::exists(status) || std::filesystem::is_regular_file(status) ||
        std::filesystem::is_directory(status))
        return true;
    std::cerr << "tarvex: " << file << ": " << commonstr::Args(commonstr::kNotAFile, {"\"" + file + "\""})
              << "\n";
    return false;
}

int UsageError(const std::string& usage) {
    std::cerr << "usage: tarvex " << usage << "\n";
    return kExitUsage;
}

}  // namespace tarvex::cli

namespace {

void PrintHelp() {
    std::cout
        << "tarvex - command-line tools of Tarvex-Import\n\nusage: tarvex COMMAND [ARGS]\n\ncommands:\n";
    for (const auto& c : tarvex::cli::Registry()) {
        std::cout << "  " << c.usage << "\n      " << c.summary << "\n";
    }
    std::cout << "  --help\n      this text; tarvex COMMAND --help: the command's options\n"
                 "  --version\n      the program version\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace tarvex;
    using namespace tarvex::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::string usage = std::string("COMMAND [ARGS] ") + clistr::kSeeHelp;
    if (args.empty()) return UsageError(usage);
    if (args[0] == "--help" || args[0] == "-h") {
        PrintHelp();
        return kExitOk;
    }
    if (args[0] == "--version") {
        std::cout << "tarvex " << tarvex::BuildProductVersion() << "\n";
        return kExitOk;
    }
    for (const auto& c : Registry()) {
        if (c.name == args[0]) {
            args.erase(args.begin());
            return c.run(args);
        }
    }
    std::cerr << "tarvex: " << commonstr::Args(clistr::kUnknownCommand, {args[0]}) << "\n";
    return UsageError(usage);
}
