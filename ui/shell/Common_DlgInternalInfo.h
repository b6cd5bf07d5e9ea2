#pragma once
// "Interne Programminformationen": screen, program folder and version for the support, and the
// full report of environment and settings written into the user's documents folder.

#include <QDialog>
#include <functional>

#include "core/app/SupportReport.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tarvex {

class Profile;

class Common_DlgInternalInfo : public QDialog {
    Q_OBJECT
public:
    Common_DlgInternalInfo(Profile& profile, int language, const QString& version, const QString& buildDate,
                           QWidget* parent = nullptr);

    QString SystemText() const;
    QString VersionLine() const;
    // The report's folder: the documents folder unless a test sets another.
    QString ReportFolder() const { return m_reportFolder; }
    void SetReportFolder(const QString& folder) { m_reportFolder = folder; }
    QString ReportPath() const;
    // The report as it would be written now.
    std::u16string ReportText() const;
    // Writes the report atomically; false when it could not be written.
    bool WriteReport(QString& path) const;

    QPushButton* SaveButton() const { return m_pSave; }

    // Shows the saved (ok) or the failure message; tests answer here.
    std::function<void(const QString& text, bool ok)> m_showMessage;

private:
    void OnSave();

    Profile& m_profile;
    int m_nLanguage;
    QString m_reportFolder;
    QPlainTextEdit* m_pSystem;
    QLineEdit* m_pVersion;
    QPushButton* m_pSave;
};

// What the print system tells about a printer, nothing when it does not know it.
std::optional<PrinterFacts> QtPrinterFacts(std::u16string_view name);

}  // namespace tarvex
