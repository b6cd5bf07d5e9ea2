#pragma once
// Platform glue of the application shell, in one place: documents folder, user and computer
// name, the browser's command line, starting programs, access rights of data files and the
// refresh of the desktop's file-type databases.

#include <QString>
#include <filesystem>
#include <optional>

#include "core/app/RegeditManagment.h"

namespace tarvex {

// The registry manager's host: message boxes and the system queries.
class CQtRegeditHost : public RegeditHost {
public:
    void ShowMessage(std::u16string_view text) override;
    bool DocumentsFolder(bool create, std::filesystem::path& out) override;
    bool QueryUserName(std::u16string& out) override;
    bool QueryComputerName(std::u16string& out) override;
};

// The command line of the default web browser in the association form (with "\"%1\""); empty
// when no browser is associated.
std::optional<QString> DefaultBrowserCommand();
// Starts a command line (program and arguments) shown normally; the result is not checked.
void StartCommandLine(const QString& commandLine);
// Makes a data file readable and writable for the user (the access step of "-init").
void GrantUserAccess(const QString& path);
// The per-user data folder of the desktop ($XDG_DATA_HOME); empty on platforms without one.
QString DesktopDataHome();
// True when the file types were installed for the whole system (package or cmake --install).
bool FileTypesInstalledSystemWide();
// Rebuilds the desktop's MIME and application databases below dataHome.
void RefreshDesktopDatabases(const QString& dataHome);
// The user's templates folder ("xdg-user-dir TEMPLATES", else the user-dirs configuration); empty
// when the user has none (the configuration names the home folder) or the platform knows none.
QString UserTemplatesFolder();

}  // namespace tarvex
