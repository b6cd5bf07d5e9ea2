#include "ui/shell/PlatformShell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>

#include "core/app/Homepage.h"
#include "core/app/NewFileTemplates.h"
#include "core/common/ShellStrings.h"

namespace tarvex {

void CQtRegeditHost::ShowMessage(std::u16string_view text) {
    QMessageBox::warning(nullptr, QString::fromUtf16(shellstr::kAppTitle),
                         QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

bool CQtRegeditHost::DocumentsFolder(bool create, std::filesystem::path& out) {
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty()) return false;
    if (create && !QDir().mkpath(docs)) return false;
    out = std::filesystem::path(docs.toStdU16String());
    return true;
}

bool CQtRegeditHost::QueryUserName(std::u16string& out) {
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty()) name = qEnvironmentVariable("USERNAME");
    out = name.toStdU16String();
    return !name.isEmpty();
}

bool CQtRegeditHost::QueryComputerName(std::u16string& out) {
    const QString name = QSysInfo::machineHostName();
    out = name.toStdU16String();
    return !name.isEmpty();
}

std::optional<QString> DefaultBrowserCommand() {
#ifdef Q_OS_WIN
    QSettings htm(QStringLiteral("HKEY_CLASSES_ROOT\\.htm"), QSettings::NativeFormat);
    const QString type = htm.value(QStringLiteral("Default")).toString();
    if (type.isEmpty()) return std::nullopt;
    QSettings cmd(QStringLiteral("HKEY_CLASSES_ROOT\\") + type + QStringLiteral("\\shell\\open\\command"),
                  QSettings::NativeFormat);
    return cmd.value(QStringLiteral("Default")).toString();
#else
    // The desktop's association for web pages, then its desktop entry's Exec line.
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    if (!query.waitForFinished(5000) || query.exitCode() != 0) return std::nullopt;
    const QString desktopFile = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    if (desktopFile.isEmpty()) return std::nullopt;
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopFile);
    if (path.isEmpty()) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return std::nullopt;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) inEntry = line == QLatin1String("[Desktop Entry]");
        if (inEntry && line.startsWith(QLatin1String("Exec="))) {
            const std::u16string exec = line.mid(5).toStdU16String();
            return QString::fromStdU16String(BrowserCommandFromDesktopExec(exec));
        }
    }
    return std::nullopt;
#endif
}

void StartCommandLine(const QString& commandLine) {
    QStringList parts = QProcess::splitCommand(commandLine);
    if (parts.isEmpty()) return;
    const QString program = parts.takeFirst();
    QProcess::startDetached(program, parts);
}

void GrantUserAccess(const QString& path) {
    QFile file(path);
    if (!file.exists()) return;
    file.setPermissions(file.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                        QFileDevice::ReadUser | QFileDevice::WriteUser);
}

QString DesktopDataHome() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
#else
    return {};
#endif
}

bool FileTypesInstalledSystemWide() {
    const QString home = DesktopDataHome();
    for (const QString& dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (dir == home) continue;
        if (QFileInfo::exists(dir + QStringLiteral("/mime/packages/tarvex-import.xml"))) return true;
    }
    return false;
}

void RefreshDesktopDatabases(const QString& dataHome) {
    // Both tools come with the desktop; without them the files still take effect at its next scan.
    // They run on their own, silently: nobody waits for them, and their notes are not for clerks.
    const std::pair<const char*, const char*> tools[] = {{"update-mime-database", "/mime"},
                                                         {"update-desktop-database", "/applications"}};
    for (const auto& [tool, folder] : tools) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
        if (program.isEmpty()) continue;
        QProcess process;
        process.setProgram(program);
        process.setArguments({dataHome + QLatin1String(folder)});
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.startDetached();
    }
}

QString UserTemplatesFolder() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString home = QDir::homePath();
    QString folder;
    QProcess query;
    query.start(QStringLiteral("xdg-user-dir"), {QStringLiteral("TEMPLATES")});
    if (query.waitForFinished(5000) && query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0) {
        folder = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    } else {
        // Without the tool: its configuration file, read the same way.
        QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        if (config.isEmpty()) config = home + QStringLiteral("/.config");
        QFile file(config + QStringLiteral("/user-dirs.dirs"));
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray text = file.read(64 * 1024);
            const auto dir =
                XdgUserDirFromConfig(std::string_view(text.constData(), static_cast<size_t>(text.size())),
                                     "TEMPLATES", home.toStdString());
            if (dir) folder = QString::fromStdString(*dir);
        }
    }
    // The home folder is the answer for "no templates folder": nothing is put there.
    if (folder.isEmpty() || QDir(folder) == QDir(home) || QDir::isRelativePath(folder)) return {};
    return folder;
#else
    return {};
#endif
}

}  // namespace tarvex
