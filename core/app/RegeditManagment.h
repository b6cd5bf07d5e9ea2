#pragma once
// The registry manager: program name, path and version, the program's own entries in the
// program and machine areas, the field-definition tables (section operations), the data
// directory, user and computer name, and the shell registration of the two document types.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/DocTemplates.h"
#include "core/settings/Profile.h"

namespace tarvex {

// What the platform supplies to the registry manager.
class RegeditHost {
public:
    virtual ~RegeditHost() = default;
    virtual void ShowMessage(std::u16string_view text) = 0;
    // The user's documents folder; with create, the folder is created when missing.
    virtual bool DocumentsFolder(bool create, std::filesystem::path& out) = 0;
    virtual bool QueryUserName(std::u16string& out) = 0;
    virtual bool QueryComputerName(std::u16string& out) = 0;
};

// The shell's registration of document types: extension keys (file type id and "FileVersion")
// and file type keys (icon, open command).
class ShellTypeRegistry {
public:
    virtual ~ShellTypeRegistry() = default;
    virtual bool ExtensionKeyExists(std::u16string_view extension) = 0;
    virtual std::optional<std::u16string> ReadFileTypeId(std::u16string_view extension) = 0;
    virtual std::optional<uint32_t> ReadFileVersion(std::u16string_view extension) = 0;
    virtual void DeleteExtensionKey(std::u16string_view extension) = 0;
    virtual void DeleteFileTypeKey(std::u16string_view fileTypeId) = 0;
    // Creates the extension key if needed.
    virtual void WriteFileVersion(std::u16string_view extension, uint32_t version) = 0;
    virtual void SetDefaultIcon(std::u16string_view fileTypeId, const std::filesystem::path& program,
                                int index) = 0;
    // The program started with the document path as its whole command line.
    virtual void SetOpenCommand(std::u16string_view fileTypeId, const std::filesystem::path& program) = 0;
    // The framework's own registration of a document type (extension -> type id, type name,
    // icon and open command).
    virtual void RegisterFileType(const DocTemplateStrings& strings, const std::filesystem::path& program,
                                  int iconIndex) = 0;
};

class CRegeditManagment {
public:
    // machineArea is null when the machine-wide store cannot be written; its writes are then
    // skipped silently.
    CRegeditManagment(RegeditHost& host, Profile& programArea, Profile* machineArea);

    // productVersion: the "ProductVersion" text of the program; hasVersionInfo false when the
    // program carries no version information at all (packed version 1).
    void Initialize(std::u16string programName, std::filesystem::path programPath, std::string buildDate,
                    const std::optional<std::string>& productVersion, bool hasVersionInfo = true);
    void SetProgramInfo(std::u16string programName, std::filesystem::path programPath, std::string buildDate,
                        uint32_t packedVersion);
    void SetVersion(uint32_t packed);
    uint32_t GetVersion() const { return m_nVersion; }
    std::string GetVersionString() const;
    bool IsInitialized() const { return m_nInitialized == 1; }

    void WriteProgramEntries();

    // Shell registration (start-up step 8).
    void UpdateExtensionKey(ShellTypeRegistry& shell, std::u16string_view extension, uint32_t version);
    void WriteFileVersion(ShellTypeRegistry& shell, std::u16string_view extension, uint32_t version);
    void RegisterShellEntries(ShellTypeRegistry& shell, int firstIconIndex);
    void RegisterDocumentIcons(ShellTypeRegistry& shell, int firstIconIndex);
    void RegisterOpenCommands(ShellTypeRegistry& shell);
    // The whole sequence of start-up step 8 in its order, including the framework's registration.
    void RegisterAtStartup(ShellTypeRegistry& shell);

    // Section operations on the program area; before initialisation they show
    // "CRegeditManagment-Error" and do nothing.
    void WriteSectionBinary(std::string_view section, std::string_view name, const uint8_t* data,
                            size_t size);
    // 0 on success, otherwise a registry result code (2: not found). Before initialisation 0.
    long ReadSectionBinary(std::string_view section, std::string_view name, std::vector<uint8_t>& out,
                           size_t maxSize);
    bool DeleteSectionValue(std::string_view section, std::string_view name);
    // The program area seen through the section operations (for the field definitions).
    Profile& SectionArea() { return *m_sectionArea; }

    int GetUserName(std::u16string& out);
    int GetComputerName(std::u16string& out);
    // Documents folder + "/" + program name; empty after the message "Fehler, keine Datenpfad".
    std::u16string GetDataDirectory(bool create);
    std::u16string GetDataDirectorySlash();

    const std::u16string& ProgramName() const { return m_strProgramName; }
    const std::filesystem::path& ProgramPath() const { return m_programPath; }
    const std::string& BuildDate() const { return m_strBuildDate; }

private:
    bool CheckInitialized();

    RegeditHost& m_host;
    Profile& m_programArea;
    Profile* m_machineArea;
    std::unique_ptr<Profile> m_sectionArea;

    // Members in the order the registry manager has always kept them.
    std::string m_strBuildDate;
    int m_nInitialized = 0;
    uint16_t m_nVersionBytes[4] = {0, 0, 0, 0};
    uint32_t m_nVersion = 0;
    std::u16string m_strCompany = u"KTW";
    std::u16string m_strProgramName;
    std::filesystem::path m_programPath;
};

}  // namespace tarvex
