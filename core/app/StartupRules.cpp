#include "core/app/StartupRules.h"

#include "core/common/ShellStrings.h"

namespace tarvex {

StartupCommand ParseStartupCommandLine(std::u16string_view commandLine) {
    StartupCommand result;
    if (commandLine.substr(0, 5) == u"-init") {
        result.kind = StartupCommand::Kind::Init;
        return result;
    }
    if (commandLine.empty()) return result;
    std::u16string path(commandLine);
    // The framework's open function strips the quotes a shell or a file manager put around it.
    if (path.size() >= 2 && path.front() == u'"' && path.back() == u'"') {
        path = path.substr(1, path.size() - 2);
    } else if (!path.empty() && path.front() == u'"') {
        path.erase(0, 1);
    }
    if (path.empty()) return result;
    result.kind = StartupCommand::Kind::OpenFile;
    result.path = std::move(path);
    return result;
}

std::u16string JoinArguments(const std::vector<std::u16string>& argsAfterProgram) {
    std::u16string text;
    for (size_t i = 0; i < argsAfterProgram.size(); ++i) {
        if (i) text += u' ';
        text += argsAfterProgram[i];
    }
    return text;
}

std::vector<FileFilter> BuildFileFilters(int noFileFilter) {
    std::vector<FileFilter> filters;
    const FileFilter all{shellstr::kAllFiles61442, u"*.*"};
    if (noFileFilter != 0) filters.push_back(all);
    filters.push_back({u"Alle Tarvex Dateien", u"*.aef;*.fdv"});
    filters.push_back({u"Einheitspapier. (*.aef)", u"*.aef"});
    filters.push_back({u"DV1 Dokument. (*.fdv)", u"*.fdv"});
    if (noFileFilter == 0) filters.push_back(all);
    return filters;
}

int PreselectedFilterIndex(int formVariant) {
    if (formVariant == kFormVariantDV1) return 3;
    if (formVariant >= 0 && formVariant <= 3) return 2;
    return 1;
}

DocTemplate TemplateForPath(std::u16string_view path) {
    const size_t slash = path.find_last_of(u"/\\");
    const std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos) return DocTemplate::Sad;
    std::u16string ext(name.substr(dot));
    for (char16_t& c : ext)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return ext == u".fdv" ? DocTemplate::Dv1 : DocTemplate::Sad;
}

DocTemplate TemplateForFormVariant(int formVariant) {
    return formVariant == kFormVariantDV1 ? DocTemplate::Dv1 : DocTemplate::Sad;
}

}  // namespace tarvex
