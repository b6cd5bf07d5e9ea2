#include "core/app/NewFileTemplates.h"

#include <system_error>

#include "core/app/DocTemplates.h"
#include "core/common/AtomicFile.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/FdvFormat.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadDocumentSetup.h"

namespace tarvex {

std::vector<NewFileTemplate> NewFileTemplates() {
    std::vector<NewFileTemplate> out;
    {
        CEinheitspapierDoc doc(nullptr);
        doc.OnNewDocument();
        // A file without a form would open as an export file: the first form, as the New dialog offers.
        doc.m_nFormVariant = 0;
        ApplyFirstPaintAlignments(doc.Store());
        out.push_back(
            {std::u16string(kDocTemplates[0].fileTypeName) + std::u16string(kDocTemplates[0].extension),
             WriteAef(doc)});
    }
    {
        CDV1_Doc doc;
        doc.OnNewDocument();
        out.push_back(
            {std::u16string(kDocTemplates[1].fileTypeName) + std::u16string(kDocTemplates[1].extension),
             WriteFdv(doc, FdvOrigin{})});
    }
    return out;
}

bool WriteNewFileTemplates(const std::filesystem::path& folder, int& written, std::string& error) {
    written = 0;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        // u8string: with MSVC, string() is in the ANSI code page and fails on other letters.
        const std::u8string shown = folder.u8string();
        error = std::string(shown.begin(), shown.end()) + ": " + ec.message();
        return false;
    }
    for (const NewFileTemplate& t : NewFileTemplates()) {
        const std::filesystem::path path = folder / std::filesystem::path(t.fileName);
        // symlink_status: a dangling link is the user's too and is not written through.
        if (std::filesystem::symlink_status(path, ec).type() != std::filesystem::file_type::not_found)
            continue;
        if (!WriteFileAtomic(path, t.bytes, error)) return false;
        ++written;
    }
    return true;
}

std::optional<std::string> XdgUserDirFromConfig(std::string_view config, std::string_view name,
                                                std::string_view home) {
    const std::string key = "XDG_" + std::string(name) + "_DIR=";
    std::optional<std::string> found;
    size_t pos = 0;
    while (pos < config.size()) {
        size_t end = config.find('\n', pos);
        if (end == std::string_view::npos) end = config.size();
        std::string_view line = config.substr(pos, end - pos);
        pos = end + 1;
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
            line.remove_suffix(1);
        if (!line.starts_with(key)) continue;
        std::string_view value = line.substr(key.size());
        if (value.size() < 2 || value.front() != '"' || value.back() != '"') continue;
        value = value.substr(1, value.size() - 2);
        std::string path;
        if (value.starts_with("$HOME")) {
            const std::string_view rest = value.substr(5);
            if (!rest.empty() && rest.front() != '/') continue;
            path = std::string(home) + std::string(rest);
        } else if (value.starts_with("/")) {
            path = std::string(value);
        } else {
            continue;
        }
        found = path;  // the last entry counts, as in the shell script that reads the file
    }
    if (!found) return std::nullopt;
    std::string trimmed = *found, homeTrimmed(home);
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    while (homeTrimmed.size() > 1 && homeTrimmed.back() == '/') homeTrimmed.pop_back();
    if (trimmed == homeTrimmed) return std::nullopt;
    return trimmed;
}

}  // namespace tarvex
