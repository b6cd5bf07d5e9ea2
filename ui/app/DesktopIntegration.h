#pragma once
// The program on the desktop: the per-user registration of its file types (MIME package,
// desktop entry, icons) and the empty documents of the desktop's "new document" menu. Both are
// written once per program file, recognised by its stamp.

#include <QByteArray>
#include <QString>

namespace tarvex {

class CTarvexImportApp;

class CDesktopIntegration {
public:
    explicit CDesktopIntegration(CTarvexImportApp& app) : m_app(app) {}

    // The per-user file-type registration; skipped while the stamp of what would be written is
    // unchanged and the entries exist, and the desktop's databases are rebuilt only after a change.
    // The templates follow, even when the types were installed for the whole system.
    void RegisterFileTypes();

    // How often the desktop's file types were written (not skipped by their stamp), and how many
    // templates were written.
    int FileTypeRegistrations() const { return m_nFileTypeRegistrations; }
    int TemplatesWritten() const { return m_nTemplatesWritten; }

private:
    void RegisterFileTypesBelow(const QString& dataHome, const QByteArray& stamp);
    // The empty documents of the desktop's "new document" menu, in the user's templates folder.
    void InstallNewFileTemplates(const QByteArray& stamp);
    // What the registration writes depends on the program file (its place, version and icons) only.
    static QByteArray ProgramStamp();
    static void WriteStamp(const QString& path, const QByteArray& stamp);
    static QString FileTypesDataHome();

    CTarvexImportApp& m_app;
    int m_nFileTypeRegistrations = 0;
    int m_nTemplatesWritten = 0;
};

}  // namespace tarvex
