#include "core/app/RegeditManagment.h"

#include "core/app/Version.h"
#include "core/common/ShellStrings.h"
#include "core/common/TextCodec.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {
namespace {

// The program area as the field definitions see it: every access goes through the manager's
// section operations, so that use before initialisation is refused the same way.
class CSectionProfile : public Profile {
public:
    CSectionProfile(CRegeditManagment& manager, Profile& area) : m_manager(manager), m_area(area) {}

    int GetProfileInt(std::string_view s, std::string_view k, int d) override {
        return m_manager.IsInitialized() ? m_area.GetProfileInt(s, k, d) : d;
    }
    bool WriteProfileInt(std::string_view s, std::string_view k, int v) override {
        return m_manager.IsInitialized() && m_area.WriteProfileInt(s, k, v);
    }
    std::u16string GetProfileString(std::string_view s, std::string_view k, std::u16string_view d) override {
        return m_manager.IsInitialized() ? m_area.GetProfileString(s, k, d) : std::u16string(d);
    }
    bool WriteProfileString(std::string_view s, std::string_view k, std::u16string_view v) override {
        return m_manager.IsInitialized() && m_area.WriteProfileString(s, k, v);
    }
    bool GetProfileBinary(std::string_view s, std::string_view k, std::vector<uint8_t>& out) override {
        // The callers take at most their table size; no further limit here.
        const bool ready = m_manager.IsInitialized();
        return m_manager.ReadSectionBinary(s, k, out, SIZE_MAX) == 0 && ready;
    }
    bool WriteProfileBinary(std::string_view s, std::string_view k, const uint8_t* data,
                            size_t size) override {
        const bool ready = m_manager.IsInitialized();
        m_manager.WriteSectionBinary(s, k, data, size);  // refuses and reports when not ready
        return ready;
    }
    bool DeleteValue(std::string_view s, std::string_view k) override {
        return m_manager.DeleteSectionValue(s, k);
    }
    bool DeleteKey(std::string_view s) override { return m_manager.IsInitialized() && m_area.DeleteKey(s); }

private:
    CRegeditManagment& m_manager;
    Profile& m_area;
};

}  // namespace

CRegeditManagment::CRegeditManagment(RegeditHost& host, Profile& programArea, Profile* machineArea)
    : m_host(host), m_programArea(programArea), m_machineArea(machineArea) {
    m_sectionArea = std::make_unique<CSectionProfile>(*this, programArea);
}

void CRegeditManagment::Initialize(std::u16string programName, std::filesystem::path programPath,
                                   std::string buildDate, const std::optional<std::string>& productVersion,
                                   bool hasVersionInfo) {
    uint32_t packed = 1;
    if (hasVersionInfo) {
        if (productVersion) {
            packed = PackProductVersion(*productVersion);
        } else {
            m_host.ShowMessage(shellstr::kVersionError);
            packed = 0;
        }
    }
    SetProgramInfo(std::move(programName), std::move(programPath), std::move(buildDate), packed);
}

void CRegeditManagment::SetProgramInfo(std::u16string programName, std::filesystem::path programPath,
                                       std::string buildDate, uint32_t packedVersion) {
    m_strProgramName = std::move(programName);
    m_programPath = std::move(programPath);
    m_strBuildDate = std::move(buildDate);
    SetVersion(packedVersion);
    WriteProgramEntries();
    m_nInitialized = 1;
}

void CRegeditManagment::SetVersion(uint32_t packed) {
    m_nVersion = packed;
    const VersionParts p = SplitPackedVersion(packed);
    m_nVersionBytes[0] = p.top;
    m_nVersionBytes[1] = p.major;
    m_nVersionBytes[2] = p.minor;
    m_nVersionBytes[3] = p.build;
}

std::string CRegeditManagment::GetVersionString() const {
    return FormatVersionString(m_nVersion);
}

void CRegeditManagment::WriteProgramEntries() {
    const std::u16string dir = m_programPath.parent_path().u16string();
    const int version = static_cast<int>(m_nVersion);
    // Each area is written once for all its entries (and not at all when they stand there).
    CProfileBatch programWrites(m_programArea);
    std::optional<CProfileBatch> machineWrites;
    if (m_machineArea) machineWrites.emplace(*m_machineArea);
    if (m_machineArea) {
        m_machineArea->WriteProfileString(settings::kRoot, settings::kCreationDate, FromUtf8(m_strBuildDate));
        m_machineArea->WriteProfileInt(settings::kRoot, settings::kVersion, version);
    }
    m_programArea.WriteProfileInt(settings::kRoot, settings::kVersion, version);
    m_programArea.WriteProfileString(settings::kRoot, settings::kPath, dir);
    if (m_machineArea) {
        m_machineArea->WriteProfileInt(settings::kRoot, settings::kVersion, version);
        m_machineArea->WriteProfileString(settings::kRoot, settings::kPath, dir);
    }
}

void CRegeditManagment::UpdateExtensionKey(ShellTypeRegistry& shell, std::u16string_view extension,
                                           uint32_t version) {
    if (extension.size() <= 3 || !shell.ExtensionKeyExists(extension)) return;
    const std::optional<std::u16string> typeId = shell.ReadFileTypeId(extension);
    const std::optional<uint32_t> stored = shell.ReadFileVersion(extension);
    if (!stored || *stored < version) {
        // Registered by an older version: remove both keys so that the registration rebuilds them.
        shell.DeleteExtensionKey(extension);
        if (typeId && !typeId->empty()) shell.DeleteFileTypeKey(*typeId);
    }
    WriteFileVersion(shell, extension, version);
}

void CRegeditManagment::WriteFileVersion(ShellTypeRegistry& shell, std::u16string_view extension,
                                         uint32_t version) {
    shell.WriteFileVersion(extension, version);
}

void CRegeditManagment::RegisterDocumentIcons(ShellTypeRegistry& shell, int firstIconIndex) {
    int index = firstIconIndex;
    for (const DocTemplateStrings& t : kDocTemplates) {
        if (t.fileTypeId.empty()) continue;
        shell.SetDefaultIcon(t.fileTypeId, m_programPath, index++);
    }
}

void CRegeditManagment::RegisterOpenCommands(ShellTypeRegistry& shell) {
    for (const DocTemplateStrings& t : kDocTemplates)
        if (!t.fileTypeId.empty()) shell.SetOpenCommand(t.fileTypeId, m_programPath);
}

void CRegeditManagment::RegisterShellEntries(ShellTypeRegistry& shell, int firstIconIndex) {
    // The application path and the template file for the shell's "New" menu have no counterpart
    // outside Windows; the desktop entry carries the program path.
    WriteProgramEntries();
    RegisterDocumentIcons(shell, firstIconIndex);
    RegisterOpenCommands(shell);
}

void CRegeditManagment::RegisterAtStartup(ShellTypeRegistry& shell) {
    UpdateExtensionKey(shell, u".aef", GetVersion());
    UpdateExtensionKey(shell, u".fdv", GetVersion());
    RegisterShellEntries(shell, 1);
    WriteProgramEntries();
    int index = 1;
    for (const DocTemplateStrings& t : kDocTemplates) shell.RegisterFileType(t, m_programPath, index++);
    RegisterOpenCommands(shell);
}

bool CRegeditManagment::CheckInitialized() {
    if (m_nInitialized == 1) return true;
    m_host.ShowMessage(shellstr::kRegManagerError);
    return false;
}

void CRegeditManagment::WriteSectionBinary(std::string_view section, std::string_view name,
                                           const uint8_t* data, size_t size) {
    if (!CheckInitialized()) return;
    m_programArea.WriteProfileBinary(section, name, data, size);
}

long CRegeditManagment::ReadSectionBinary(std::string_view section, std::string_view name,
                                          std::vector<uint8_t>& out, size_t maxSize) {
    if (!CheckInitialized()) return 0;
    std::vector<uint8_t> value;
    if (!m_programArea.GetProfileBinary(section, name, value)) return 2;  // ERROR_FILE_NOT_FOUND
    if (value.size() > maxSize) value.resize(maxSize);
    out = std::move(value);
    return 0;
}

bool CRegeditManagment::DeleteSectionValue(std::string_view section, std::string_view name) {
    if (!CheckInitialized()) return false;
    return m_programArea.DeleteValue(section, name);
}

int CRegeditManagment::GetUserName(std::u16string& out) {
    if (m_host.QueryUserName(out) && !out.empty()) return 1;
    out.clear();
    return 0;
}

int CRegeditManagment::GetComputerName(std::u16string& out) {
    if (m_host.QueryComputerName(out) && !out.empty()) return 1;
    out.clear();
    return 0;
}

std::u16string CRegeditManagment::GetDataDirectory(bool create) {
    std::filesystem::path documents;
    if (create) m_host.DocumentsFolder(true, documents);
    if (!m_host.DocumentsFolder(false, documents) || documents.empty()) {
        m_host.ShowMessage(shellstr::kNoDataPath);
        return {};
    }
    return (documents / std::filesystem::path(m_strProgramName)).u16string();
}

std::u16string CRegeditManagment::GetDataDirectorySlash() {
    std::u16string dir = GetDataDirectory(false);
    if (dir.empty()) return dir;
    const char16_t sep = static_cast<char16_t>(std::filesystem::path::preferred_separator);
    if (dir.back() != sep) dir += sep;
    return dir;
}

}  // namespace tarvex
