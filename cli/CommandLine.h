#pragma once
// The arguments of one subcommand, read by QCommandLineParser: its options, its file names and its
// own --help. The arguments reach the parser byte for byte (one character per byte), so a file name
// that is not UTF-8 comes back as the same bytes.

#include <QCommandLineParser>
#include <optional>
#include <string>
#include <vector>

namespace tarvex::cli {

// An integer from an argument: digits only (a leading minus allowed), within [min, max], read
// without the C library's locale. No value for anything else.
std::optional<int> ParseNumber(const std::string& text, int min, int max);

class CCommandLine {
public:
    // The usage line and summary are those the command registered under its name (Commands.h).
    explicit CCommandLine(const std::string& command);

    // An option; a valueName makes it take a value ("N"). names: "page" for --page, "o" for -o.
    void AddOption(const QStringList& names, const std::string& description, const QString& valueName = {});

    // Parses the arguments with at least minFiles and at most maxFiles file names (or words such
    // as a list's name). When the command ends here, the exit code: 0 after its --help, 2 after a
    // usage error (usage line printed). No value: the arguments are fine.
    std::optional<int> Parse(const std::vector<std::string>& args, size_t minFiles, size_t maxFiles);

    bool IsSet(const QString& name) const;
    // The value of the option's last occurrence; no value when it is not given.
    std::optional<std::string> Value(const QString& name) const;
    // Which of the names came last on the command line; empty when none of them was given.
    QString LastOf(const QStringList& names) const;
    const std::vector<std::string>& Files() const { return m_files; }

    // Prints the usage line to stderr and returns kExitUsage.
    int UsageError() const;

private:
    void PrintHelp() const;

    std::string m_usage, m_summary;
    QCommandLineParser m_parser;
    std::vector<std::pair<QCommandLineOption, std::string>> m_options;
    std::vector<std::string> m_files;
};

}  // namespace tarvex::cli
