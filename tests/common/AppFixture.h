#pragma once
// The whole program for the Qt Test programs: an application started as the user starts it, the
// modal dialogs answered as they come up, and screenshots when TARVEX_SCREENSHOT_DIR is set.

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <QToolTip>
#include <QtTest>
#include <functional>
#include <memory>
#include <optional>

#include "ui/app/CTarvexImportApp.h"
#include "ui/app/UserDialogs.h"
#include "ui/documents/DocumentRecovery.h"

namespace tarvex::testutil {

// Answers the modal dialogs as they come up, in order, and records their classes. A dialog
// without an answer left is rejected.
class ModalAnswers : public QObject {
public:
    explicit ModalAnswers(QList<std::function<void(QDialog*)>> answers) : m_answers(std::move(answers)) {
        connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start(5);
    }
    int answered = 0;
    QStringList seen;

private:
    void Poll() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog == m_last || !dialog->isVisible()) return;
        m_last = dialog;
        ++answered;
        seen.append(
            QString::fromLatin1(dialog->metaObject()->className()).remove(QStringLiteral("tarvex::")));
        if (m_answers.isEmpty())
            dialog->reject();
        else
            m_answers.takeFirst()(dialog);
    }
    QList<std::function<void(QDialog*)>> m_answers;
    QPointer<QDialog> m_last;
    QTimer m_timer;
};

// The clerk as a test plays it: each question or dialog the test has an answer for is answered
// by it, every other one is shown as the program shows it.
class TestDialogs : public CUserDialogs {
public:
    std::function<int()> runNewDialog;  // result or -1
    std::function<bool(const QString& title, const QString& question)> confirmReset;
    std::function<bool(QFileDialog&)> execFileDialog;
    std::function<void(const QString& title, const QString& text)> showMessage;
    std::function<QMessageBox::StandardButton(const QString& question)> askSaveChanges;
    std::function<std::optional<QList<bool>>(const QList<RecoveryEntry>&)> askRecovery;
    std::function<bool(const QString& question)> askYesNo;
    std::function<int(QDialog&)> execDialog;
    bool splash = true;  // StartTestApp does without it

    int RunNewDialog(QWidget* parent) override {
        return runNewDialog ? runNewDialog() : CUserDialogs::RunNewDialog(parent);
    }
    bool ConfirmReset(QWidget* parent, const QString& title, const QString& question) override {
        return confirmReset ? confirmReset(title, question)
                            : CUserDialogs::ConfirmReset(parent, title, question);
    }
    bool ExecFileDialog(QFileDialog& dialog) override {
        return execFileDialog ? execFileDialog(dialog) : CUserDialogs::ExecFileDialog(dialog);
    }
    void ShowMessage(QWidget* parent, const QString& title, const QString& text,
                     QMessageBox::Icon icon) override {
        if (showMessage)
            showMessage(title, text);
        else
            CUserDialogs::ShowMessage(parent, title, text, icon);
    }
    QMessageBox::StandardButton AskSaveChanges(QWidget* parent, CChildFrame* window,
                                               const QString& question) override {
        return askSaveChanges ? askSaveChanges(question)
                              : CUserDialogs::AskSaveChanges(parent, window, question);
    }
    std::optional<QList<bool>> AskRecovery(QWidget* parent, const QList<RecoveryEntry>& entries) override {
        return askRecovery ? askRecovery(entries) : CUserDialogs::AskRecovery(parent, entries);
    }
    bool AskYesNo(QWidget* parent, const QString& question) override {
        return askYesNo ? askYesNo(question) : CUserDialogs::AskYesNo(parent, question);
    }
    int ExecDialog(QDialog& dialog) override { return execDialog ? execDialog(dialog) : dialog.exec(); }
    bool ShowsSplash() const override { return splash; }
};

// The test's answers of an application made by NewTestApp or StartTestApp.
inline TestDialogs& Answers(CTarvexImportApp& app) {
    return static_cast<TestDialogs&>(app.Dialogs());
}

// An application that asks the test instead of the clerk; nothing answered yet, no splash.
inline std::unique_ptr<CTarvexImportApp> NewTestApp() {
    return std::make_unique<CTarvexImportApp>(std::make_unique<TestDialogs>());
}

// The window itself; on a real X display also the whole screen, with the window manager's frames.
inline void SaveScreenshot(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("TARVEX_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QTest::qWait(50);  // the layout settles in the event loop
    w->window()->grab().save(dir + QLatin1Char('/') + name);
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        QTest::qWait(300);  // let the window manager frame and paint the window
        QGuiApplication::primaryScreen()->grabWindow(0).save(dir + QStringLiteral("/screen-") + name);
    }
}

// The program started with the command-line arguments args, without the splash screen (it would
// take the tests' first key). The New dialog is answered with newAnswer (-1: cancelled); messages
// are collected in messages, or written to the test log without it. hooks sets what else a test
// answers before the start.
inline std::unique_ptr<CTarvexImportApp> StartTestApp(
    const QStringList& args, int newAnswer, QStringList* messages,
    const std::function<void(CTarvexImportApp&)>& hooks = {}) {
    auto app = NewTestApp();
    TestDialogs& answers = Answers(*app);
    answers.runNewDialog = [newAnswer] { return newAnswer; };
    answers.splash = false;
    answers.showMessage = [messages](const QString&, const QString& text) {
        if (messages)
            messages->append(text);
        else
            qWarning("message: %s", qPrintable(text));
    };
    if (messages) messages->clear();
    if (hooks) hooks(*app);
    app->InitInstance(QStringList{QStringLiteral("tarvex-import")} + args);
    QCoreApplication::processEvents();  // the New dialog runs once the frame is shown
    return app;
}

// The tooltip a widget shows at a point, or an empty text. A tip fades out: each question starts
// without one.
inline QString ToolTipAt(QWidget* w, QPoint p) {
    QToolTip::hideText();
    (void)QTest::qWaitFor([] { return !QToolTip::isVisible(); });
    QHelpEvent help(QEvent::ToolTip, p, w->mapToGlobal(p));
    QApplication::sendEvent(w, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

}  // namespace tarvex::testutil
