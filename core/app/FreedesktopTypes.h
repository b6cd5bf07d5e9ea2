#pragma once
// Document-type registration for freedesktop systems, per user below a data folder
// ($XDG_DATA_HOME, normally ~/.local/share):
//   extension key ".aef"       -> mime/packages/tarvex-import-aef.xml (shared-mime-info package;
//                                 its first comment carries the file type id and "FileVersion")
//   file type key "Einheitspapier" -> applications/tarvex-import-einheitspapier.desktop (open
//                                 command) and the document icon in the hicolor theme
// The caller runs update-mime-database and update-desktop-database when Changed() is true.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/app/RegeditManagment.h"

namespace tarvex {

class CFreedesktopTypeRegistry : public ShellTypeRegistry {
public:
    // icons(index) gives the PNG bytes of icon index (0 the program, 1 the SAD, 2 the D.V.1).
    CFreedesktopTypeRegistry(std::filesystem::path dataHome, std::function<std::vector<uint8_t>(int)> icons);

    bool ExtensionKeyExists(std::u16string_view extension) override;
    std::optional<std::u16string> ReadFileTypeId(std::u16string_view extension) override;
    std::optional<uint32_t> ReadFileVersion(std::u16string_view extension) override;
    void DeleteExtensionKey(std::u16string_view extension) override;
    void DeleteFileTypeKey(std::u16string_view fileTypeId) override;
    void WriteFileVersion(std::u16string_view extension, uint32_t version) override;
    void SetDefaultIcon(std::u16string_view fileTypeId, const std::filesystem::path& program,
                        int index) override;
    void SetOpenCommand(std::u16string_view fileTypeId, const std::filesystem::path& program) override;
    void RegisterFileType(const DocTemplateStrings& strings, const std::filesystem::path& program,
                          int iconIndex) override;

    bool Changed() const { return m_changed; }
    std::filesystem::path PackagePath(std::u16string_view extension) const;
    std::filesystem::path DesktopPath(std::u16string_view fileTypeId) const;
    std::filesystem::path MimeIconPath(std::u16string_view fileTypeId) const;

    // "application/x-tarvex-einheitspapier" for "Einheitspapier".
    static std::string MimeTypeName(std::u16string_view fileTypeId);
    // The Exec line of a desktop entry: the program (quoted when needed) and %f.
    static std::string DesktopExec(const std::filesystem::path& program);

private:
    struct ExtensionKey {
        std::optional<std::u16string> fileTypeId;
        std::u16string fileTypeName;
        std::optional<uint32_t> fileVersion;
    };
    std::optional<ExtensionKey> ReadExtensionKey(std::u16string_view extension);
    void WriteExtensionKey(std::u16string_view extension, const ExtensionKey& key);
    void WriteDesktopEntry(std::u16string_view fileTypeId, std::u16string_view typeName,
                           const std::filesystem::path& program);
    void WriteIfDifferent(const std::filesystem::path& path, const std::string& content);
    void Remove(const std::filesystem::path& path);

    std::filesystem::path m_dataHome;
    std::function<std::vector<uint8_t>(int)> m_icons;
    bool m_changed = false;
};

}  // namespace tarvex
