#include "CommandLine.h"

#include <algorithm>
#include <charconv>
#include <iostream>

#include "Commands.h"

namespace tarvex::cli {
namespace {

// One character per byte both ways: the parser compares the ASCII option names, the file names
// keep their bytes.
QString FromBytes(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string ToBytes(const QString& s) {
    const QByteArray bytes = s.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace

std::optional<int> ParseNumber(const std::string& text, int min, int max) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || stop != end || value < min || value > max) return std::nullopt;
    return value;
}

CCommandLine::CCommandLine(const std::string& command) {
    for (const Command& c : Registry()) {
        if (c.name == command) {
            m_usage = c.usage;
            m_summary = c.summary;
        }
    }
    // Listed last by PrintHelp. Words after "--" are file names, also when they begin with a dash.
    m_parser.addOption(QCommandLineOption(QStringList{"h", "help"}));
}

void CCommandLine::AddOption(const QStringList& names, const std::string& description,
                             const QString& valueName) {
    QCommandLineOption option(names);
    if (!valueName.isEmpty()) option.setValueName(valueName);
    m_parser.addOption(option);
    m_options.emplace_back(option, description);
}

std::optional<int> CCommandLine::Parse(const std::vector<std::string>& args, size_t minFiles,
                                       size_t maxFiles) {
    QStringList words{QStringLiteral("tarvex")};
    for (const std::string& a : args) words << FromBytes(a);
    if (!m_parser.parse(words)) return UsageError();
    if (m_parser.isSet(QStringLiteral("help"))) {
        PrintHelp();
        return kExitOk;
    }
    for (const QString& word : m_parser.positionalArguments()) m_files.push_back(ToBytes(word));
    if (m_files.size() < minFiles || m_files.size() > maxFiles) return UsageError();
    return std::nullopt;
}

bool CCommandLine::IsSet(const QString& name) const {
    return m_parser.isSet(name);
}

std::optional<std::string> CCommandLine::Value(const QString& name) const {
    const QStringList values = m_parser.values(name);
    if (values.isEmpty()) return std::nullopt;
    return ToBytes(values.last());
}

QString CCommandLine::LastOf(const QStringList& names) const {
    const QStringList given = m_parser.optionNames();
    const auto last =
        std::find_if(given.rbegin(), given.rend(), [&](const QString& name) { return names.contains(name); });
    return last == given.rend() ? QString() : *last;
}

int CCommandLine::UsageError() const {
    return cli::UsageError(m_usage);
}

void CCommandLine::PrintHelp() const {
    std::cout << "usage: tarvex " << m_usage << "\n\n" << m_summary << "\n\noptions:\n";
    for (const auto& [option, description] : m_options) {
        std::string names;
        for (const QString& name : option.names()) {
            if (!names.empty()) names += ", ";
            names += (name.size() == 1 ? "-" : "--") + name.toStdString();
        }
        if (!option.valueName().isEmpty()) names += " " + option.valueName().toStdString();
        std::cout << "  " << names << "\n      " << description << "\n";
    }
    std::cout << "  -h, --help\n      this text\n";
}

}  // namespace tarvex::cli
