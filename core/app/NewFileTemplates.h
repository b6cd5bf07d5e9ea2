#pragma once
// The empty documents that the desktop's "new document" menu offers (the user's templates
// folder), the counterpart of the Windows "New" menu entry: an empty SAD and an empty D.V.1,
// each a real document of its kind, so that the program opens what the menu creates.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

struct NewFileTemplate {
    std::u16string fileName;  // "Einheitspapier.aef", "DV1-Dokument.fdv": the menu shows the name
    std::vector<uint8_t> bytes;
};

// Both templates in the order of the document templates: the SAD in form 0737/0738, and neither
// carries a user's defaults or name.
std::vector<NewFileTemplate> NewFileTemplates();

// Writes the templates that are missing in folder (created when needed); a file that exists is
// the user's and stays as it is. written counts the files written; false with a message when a
// file could not be written.
bool WriteNewFileTemplates(const std::filesystem::path& folder, int& written, std::string& error);

// A folder of the xdg user-dirs configuration ("user-dirs.dirs": lines XDG_NAME_DIR="$HOME/x" or
// an absolute path). Nothing when the entry is missing, malformed or names the home folder itself,
// which is how the configuration says that there is no such folder.
std::optional<std::string> XdgUserDirFromConfig(std::string_view config, std::string_view name,
                                                std::string_view home);

}  // namespace tarvex
