#pragma once
// Every question the shell asks the clerk and every file dialog it runs, behind one interface:
// the program shows message boxes and Qt's dialogs (CUserDialogs), tests answer for the user.

#include <QList>
#include <QMessageBox>
#include <QString>
#include <optional>

class QDialog;
class QFileDialog;
class QWidget;

namespace tarvex {

class CChildFrame;
struct RecoveryEntry;

class IUserDialogs {
public:
    virtual ~IUserDialogs() = default;

    // The New dialog: the form variant chosen, or -1 when cancelled.
    virtual int RunNewDialog(QWidget* parent) = 0;
    // The reset commands' warning ("Achtung!" with the question); true for "Ja".
    virtual bool ConfirmReset(QWidget* parent, const QString& title, const QString& question) = 0;
    // Runs a prepared file dialog; true when a file was chosen.
    virtual bool ExecFileDialog(QFileDialog& dialog) = 0;
    // A message with OK.
    virtual void ShowMessage(QWidget* parent, const QString& title, const QString& text,
                             QMessageBox::Icon icon) = 0;
    // The save question before a modified document closes: Yes, No or Cancel.
    virtual QMessageBox::StandardButton AskSaveChanges(QWidget* parent, CChildFrame* window,
                                                       const QString& question) = 0;
    // Which recovered documents to restore (one flag per entry); nullopt: decide later.
    virtual std::optional<QList<bool>> AskRecovery(QWidget* parent, const QList<RecoveryEntry>& entries) = 0;
    // A yes/no question (default No).
    virtual bool AskYesNo(QWidget* parent, const QString& question) = 0;
    // Runs one of the information dialogs (form defaults, support, about); its result.
    virtual int ExecDialog(QDialog& dialog) = 0;
    // Whether start-up shows the splash window.
    virtual bool ShowsSplash() const = 0;
};

// The program's own: message boxes and modal dialogs.
class CUserDialogs : public IUserDialogs {
public:
    int RunNewDialog(QWidget* parent) override;
    bool ConfirmReset(QWidget* parent, const QString& title, const QString& question) override;
    bool ExecFileDialog(QFileDialog& dialog) override;
    void ShowMessage(QWidget* parent, const QString& title, const QString& text,
                     QMessageBox::Icon icon) override;
    QMessageBox::StandardButton AskSaveChanges(QWidget* parent, CChildFrame* window,
                                               const QString& question) override;
    std::optional<QList<bool>> AskRecovery(QWidget* parent, const QList<RecoveryEntry>& entries) override;
    bool AskYesNo(QWidget* parent, const QString& question) override;
    int ExecDialog(QDialog& dialog) override;
    bool ShowsSplash() const override { return true; }
};

}  // namespace tarvex
