#pragma once
// Start-up and file rules of the application object that need no window: the command line,
// the filter list of the file dialog with its preselection, the choice of a document template
// for a file, and the result of the New dialog.

#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

inline constexpr int kFormVariantDV1 = 99;

struct StartupCommand {
    enum class Kind { New, Init, OpenFile };
    Kind kind = Kind::New;
    std::u16string path;  // OpenFile only
};

// The whole text after the program name is one path; it is not split into options. A text
// beginning with the five characters "-init" (case-sensitive) is the post-installation mode.
// Surrounding double quotes of a path are removed.
StartupCommand ParseStartupCommandLine(std::u16string_view commandLine);
// The argument vector joined back into the command-line text (blank-separated) that the rules
// above work on; argument 0, the program, is left out.
std::u16string JoinArguments(const std::vector<std::u16string>& argsAfterProgram);

struct FileFilter {
    std::u16string description;
    std::u16string pattern;  // "*.aef;*.fdv"
};
// The filter list of PromptFileName; noFileFilter is "Settings"/"NoFileFilter".
std::vector<FileFilter> BuildFileFilters(int noFileFilter);
// Preselected entry, counted from 1: 3 for the D.V.1 (99), 2 for a SAD variant 0-3, 1 otherwise.
int PreselectedFilterIndex(int formVariant);

enum class DocTemplate { Sad = 0, Dv1 = 1 };
// ".fdv" (any case) goes to the D.V.1 template; every other file is offered to the first one.
DocTemplate TemplateForPath(std::u16string_view path);
// New dialog result -> template: 99 is the D.V.1, everything else the SAD.
DocTemplate TemplateForFormVariant(int formVariant);

}  // namespace tarvex
