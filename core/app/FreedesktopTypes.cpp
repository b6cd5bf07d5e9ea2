#include "core/app/FreedesktopTypes.h"

#include <cstdint>
#include <fstream>
#include <span>
#include <sstream>
#include <system_error>

#include "core/common/AtomicFile.h"
#include "core/common/TextCodec.h"

namespace tarvex {
namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string XmlEscape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string XmlUnescape(std::string_view text) {
    std::string out(text);
    const std::pair<const char*, char> entities[] = {
        {"&quot;", '"'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}};
    for (const auto& [entity, ch] : entities) {
        size_t pos = 0;
        while ((pos = out.find(entity, pos)) != std::string::npos) {
            out.replace(pos, std::char_traits<char>::length(entity), 1, ch);
            ++pos;
        }
    }
    return out;
}

// Signatures at the start of the files of each extension (old and current layouts).
std::vector<std::string> MagicFor(std::u16string_view extension) {
    if (extension == u".aef") return {"KTW-EHForm@", "KTW-AEForm@"};
    if (extension == u".fdv") return {"KTW-DV1Form@"};
    return {};
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Attribute value in the package's first comment: name="value".
std::optional<std::string> CommentAttribute(const std::string& text, std::string_view name) {
    const size_t start = text.find("<!--");
    const size_t end = text.find("-->", start == std::string::npos ? 0 : start);
    if (start == std::string::npos || end == std::string::npos) return std::nullopt;
    const std::string comment = text.substr(start, end - start);
    const std::string marker = " " + std::string(name) + "=\"";
    const size_t pos = comment.find(marker);
    if (pos == std::string::npos) return std::nullopt;
    const size_t valueStart = pos + marker.size();
    const size_t valueEnd = comment.find('"', valueStart);
    if (valueEnd == std::string::npos) return std::nullopt;
    return XmlUnescape(comment.substr(valueStart, valueEnd - valueStart));
}

}  // namespace

CFreedesktopTypeRegistry::CFreedesktopTypeRegistry(std::filesystem::path dataHome,
                                                   std::function<std::vector<uint8_t>(int)> icons)
    : m_dataHome(std::move(dataHome)), m_icons(std::move(icons)) {}

std::string CFreedesktopTypeRegistry::MimeTypeName(std::u16string_view fileTypeId) {
    return "application/x-tarvex-" + Lower(ToUtf8(fileTypeId));
}

std::filesystem::path CFreedesktopTypeRegistry::PackagePath(std::u16string_view extension) const {
    std::string ext = Lower(ToUtf8(extension));
    if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);
    return m_dataHome / "mime" / "packages" / ("tarvex-import-" + ext + ".xml");
}

std::filesystem::path CFreedesktopTypeRegistry::DesktopPath(std::u16string_view fileTypeId) const {
    return m_dataHome / "applications" / ("tarvex-import-" + Lower(ToUtf8(fileTypeId)) + ".desktop");
}

std::filesystem::path CFreedesktopTypeRegistry::MimeIconPath(std::u16string_view fileTypeId) const {
    std::string icon = MimeTypeName(fileTypeId);
    icon[icon.find('/')] = '-';
    return m_dataHome / "icons" / "hicolor" / "48x48" / "mimetypes" / (icon + ".png");
}

std::string CFreedesktopTypeRegistry::DesktopExec(const std::filesystem::path& program) {
    const std::string path = program.string();
    const std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string exec;
    if (path.find_first_of(reserved) == std::string::npos) {
        exec = path;
    } else {
        exec = "\"";
        for (char c : path) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') exec += '\\';
            exec += c;
        }
        exec += '"';
    }
    // The desktop file's string escape: every backslash doubled.
    std::string escaped;
    for (char c : exec) {
        if (c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped + " %f";
}

void CFreedesktopTypeRegistry::WriteIfDifferent(const std::filesystem::path& path,
                                                const std::string& content) {
    if (const auto old = ReadWholeFile(path); old && *old == content) return;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    // A registration that cannot be written (a full disk) keeps the old file; the next start tries again.
    std::string error;
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(content.data()), content.size());
    if (WriteFileAtomic(path, bytes, error)) m_changed = true;
}

void CFreedesktopTypeRegistry::Remove(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::remove(path, ec)) m_changed = true;
}

std::optional<CFreedesktopTypeRegistry::ExtensionKey> CFreedesktopTypeRegistry::ReadExtensionKey(
    std::u16string_view extension) {
    const auto text = ReadWholeFile(PackagePath(extension));
    if (!text) return std::nullopt;
    ExtensionKey key;
    if (auto id = CommentAttribute(*text, "FileType")) key.fileTypeId = FromUtf8(*id);
    if (auto name = CommentAttribute(*text, "FileTypeName")) key.fileTypeName = FromUtf8(*name);
    if (auto version = CommentAttribute(*text, "FileVersion")) {
        if (!version->empty() && version->size() <= 10 &&
            version->find_first_not_of("0123456789") == std::string::npos) {
            const unsigned long long v = std::stoull(*version);
            if (v <= 0xFFFFFFFFull) key.fileVersion = static_cast<uint32_t>(v);
        }
    }
    return key;
}

void CFreedesktopTypeRegistry::WriteExtensionKey(std::u16string_view extension, const ExtensionKey& key) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- Tarvex-Import";
    if (key.fileTypeId) xml += " FileType=\"" + XmlEscape(ToUtf8(*key.fileTypeId)) + "\"";
    if (!key.fileTypeName.empty()) xml += " FileTypeName=\"" + XmlEscape(ToUtf8(key.fileTypeName)) + "\"";
    if (key.fileVersion) xml += " FileVersion=\"" + std::to_string(*key.fileVersion) + "\"";
    xml += " -->\n<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    if (key.fileTypeId && !key.fileTypeId->empty()) {
        const std::string type = MimeTypeName(*key.fileTypeId);
        std::string icon = type;
        icon[icon.find('/')] = '-';
        std::string ext = ToUtf8(extension);
        xml += "  <mime-type type=\"" + type + "\">\n";
        xml += "    <comment>" +
               XmlEscape(ToUtf8(key.fileTypeName.empty() ? *key.fileTypeId : key.fileTypeName)) +
               "</comment>\n";
        xml += "    <icon name=\"" + icon + "\"/>\n";
        xml += "    <glob pattern=\"*" + XmlEscape(ext) + "\"/>\n";
        const auto magic = MagicFor(extension);
        if (!magic.empty()) {
            xml += "    <magic priority=\"50\">\n";
            for (const std::string& m : magic)
                xml += "      <match type=\"string\" offset=\"0\" value=\"" + XmlEscape(m) + "\"/>\n";
            xml += "    </magic>\n";
        }
        xml += "  </mime-type>\n";
    }
    xml += "</mime-info>\n";
    WriteIfDifferent(PackagePath(extension), xml);
}

bool CFreedesktopTypeRegistry::ExtensionKeyExists(std::u16string_view extension) {
    std::error_code ec;
    return std::filesystem::is_regular_file(PackagePath(extension), ec);
}

std::optional<std::u16string> CFreedesktopTypeRegistry::ReadFileTypeId(std::u16string_view extension) {
    const auto key = ReadExtensionKey(extension);
    return key ? key->fileTypeId : std::nullopt;
}

std::optional<uint32_t> CFreedesktopTypeRegistry::ReadFileVersion(std::u16string_view extension) {
    const auto key = ReadExtensionKey(extension);
    return key ? key->fileVersion : std::nullopt;
}

void CFreedesktopTypeRegistry::DeleteExtensionKey(std::u16string_view extension) {
    Remove(PackagePath(extension));
}

void CFreedesktopTypeRegistry::DeleteFileTypeKey(std::u16string_view fileTypeId) {
    Remove(DesktopPath(fileTypeId));
    Remove(MimeIconPath(fileTypeId));
}

void CFreedesktopTypeRegistry::WriteFileVersion(std::u16string_view extension, uint32_t version) {
    ExtensionKey key = ReadExtensionKey(extension).value_or(ExtensionKey{});
    key.fileVersion = version;
    WriteExtensionKey(extension, key);
}

void CFreedesktopTypeRegistry::SetDefaultIcon(std::u16string_view fileTypeId, const std::filesystem::path&,
                                              int index) {
    if (!m_icons) return;
    const std::vector<uint8_t> png = m_icons(index);
    if (png.empty()) return;
    WriteIfDifferent(MimeIconPath(fileTypeId), std::string(png.begin(), png.end()));
}

void CFreedesktopTypeRegistry::WriteDesktopEntry(std::u16string_view fileTypeId, std::u16string_view typeName,
                                                 const std::filesystem::path& program) {
    std::string entry = "[Desktop Entry]\nType=Application\nName=Tarvex-Import\n";
    if (!typeName.empty()) entry += "Comment=" + ToUtf8(typeName) + "\n";
    entry += "Exec=" + DesktopExec(program) + "\n";
    entry += "Icon=tarvex-import\nTerminal=false\nNoDisplay=true\n";
    entry += "MimeType=" + MimeTypeName(fileTypeId) + ";\n";
    WriteIfDifferent(DesktopPath(fileTypeId), entry);
}

void CFreedesktopTypeRegistry::SetOpenCommand(std::u16string_view fileTypeId,
                                              const std::filesystem::path& program) {
    WriteDesktopEntry(fileTypeId, fileTypeId, program);
}

void CFreedesktopTypeRegistry::RegisterFileType(const DocTemplateStrings& strings,
                                                const std::filesystem::path& program, int iconIndex) {
    ExtensionKey key = ReadExtensionKey(strings.extension).value_or(ExtensionKey{});
    key.fileTypeId = std::u16string(strings.fileTypeId);
    key.fileTypeName = std::u16string(strings.fileTypeName);
    WriteExtensionKey(strings.extension, key);
    SetDefaultIcon(strings.fileTypeId, program, iconIndex);
    WriteDesktopEntry(strings.fileTypeId, strings.fileTypeName, program);
    if (m_icons) {
        const std::vector<uint8_t> png = m_icons(0);
        if (!png.empty())
            WriteIfDifferent(m_dataHome / "icons" / "hicolor" / "48x48" / "apps" / "tarvex-import.png",
                             std::string(png.begin(), png.end()));
    }
}

}  // namespace tarvex
