#include "ui/app/DesktopIntegration.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/app/DocTemplates.h"
#include "core/app/FreedesktopTypes.h"
#include "core/app/NewFileTemplates.h"
#include "core/app/RegeditManagment.h"
#include "core/app/Version.h"
#include "render/app/OutputFile.h"
#include "render/app/QSettingsProfile.h"
#include "ui/app/CTarvexImportApp.h"
#include "ui/shell/PlatformShell.h"
#include "ui/shell/ShellIcons.h"

namespace tarvex {

QString CDesktopIntegration::FileTypesDataHome() {
    const QString settingsDir = QSettingsProfile::SettingsDirOverride();
    // With a private settings folder the desktop files stay inside it as well.
    if (!settingsDir.isEmpty()) return settingsDir + QStringLiteral("/share");
    if (FileTypesInstalledSystemWide()) return {};
    return DesktopDataHome();
}

QByteArray CDesktopIntegration::ProgramStamp() {
    const QFileInfo program(QCoreApplication::applicationFilePath());
    return QStringLiteral("%1\n%2\n%3\n%4\n")
        .arg(program.absoluteFilePath(), QString::fromStdString(std::string(BuildProductVersion())))
        .arg(program.size())
        .arg(program.lastModified().toMSecsSinceEpoch())
        .toUtf8();
}

void CDesktopIntegration::RegisterFileTypes() {
    const QByteArray stamp = ProgramStamp();
    const QString dataHome = FileTypesDataHome();
    if (!dataHome.isEmpty()) RegisterFileTypesBelow(dataHome, stamp);
    // The templates belong to the user even when the types were installed for the whole system.
    InstallNewFileTemplates(stamp);
}

void CDesktopIntegration::RegisterFileTypesBelow(const QString& dataHome, const QByteArray& stamp) {
    CFreedesktopTypeRegistry shell(std::filesystem::path(dataHome.toStdU16String()), [](int index) {
        const QByteArray png = DocumentIconPng(index);
        return std::vector<uint8_t>(png.begin(), png.end());
    });
    // While the stamp matches and the entries are there, there is nothing to compare or rebuild.
    const QString stampPath = dataHome + QStringLiteral("/tarvex-import/filetypes.stamp");
    bool complete = true;
    for (const DocTemplateStrings& t : kDocTemplates)
        complete = complete && std::filesystem::exists(shell.PackagePath(t.extension)) &&
                   std::filesystem::exists(shell.DesktopPath(t.fileTypeId));
    if (QFile stampFile(stampPath);
        complete && stampFile.open(QIODevice::ReadOnly) && stampFile.readAll() == stamp)
        return;
    m_app.RegManager().RegisterAtStartup(shell);
    if (shell.Changed()) RefreshDesktopDatabases(dataHome);
    WriteStamp(stampPath, stamp);
    ++m_nFileTypeRegistrations;
}

void CDesktopIntegration::InstallNewFileTemplates(const QByteArray& stamp) {
    const QString settingsDir = QSettingsProfile::SettingsDirOverride();
    const QString home = settingsDir.isEmpty() ? DesktopDataHome() : settingsDir + QStringLiteral("/share");
    if (home.isEmpty()) return;
    // Once per program: a template the user deleted is not forced back at every start.
    const QString stampPath = home + QStringLiteral("/tarvex-import/templates.stamp");
    if (QFile stampFile(stampPath); stampFile.open(QIODevice::ReadOnly) && stampFile.readAll() == stamp)
        return;
    // With a private settings folder the templates stay inside it as well.
    const QString folder =
        settingsDir.isEmpty() ? UserTemplatesFolder() : settingsDir + QStringLiteral("/Templates");
    if (!folder.isEmpty()) {
        int written = 0;
        std::string error;
        // A folder that cannot be written is no reason to bother the clerk: the menu entry is a
        // convenience, and the next version tries again.
        WriteNewFileTemplates(std::filesystem::path(folder.toStdU16String()), written, error);
        m_nTemplatesWritten += written;
    }
    WriteStamp(stampPath, stamp);
}

void CDesktopIntegration::WriteStamp(const QString& path, const QByteArray& stamp) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    // A stamp that cannot be written only means the registration runs again next time.
    QString error;
    WriteOutputFile(NativePath(path), stamp, error);
}

}  // namespace tarvex
