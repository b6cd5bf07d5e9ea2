#pragma once
// The program's own help window: the help pages shipped inside the program, with back, forward,
// the overview and the contents. It needs no web browser, so F1 works on every machine and the
// help looks the same everywhere.

#include <QPointer>
#include <QWidget>

class QListWidget;
class QPushButton;
class QTextBrowser;

namespace tarvex {

class CHelpWnd : public QWidget {
    Q_OBJECT
public:
    // home: the window the help belongs to when no dialog is open (the main frame; may be null).
    explicit CHelpWnd(QWidget* home);
    ~CHelpWnd() override;

    // Shows the page of a help context (the overview when it has none), raised and active.
    void ShowContext(int context);
    // The help context of the page shown; 0 before the first page.
    int CurrentContext() const;

    QTextBrowser* Browser() const { return m_browser; }
    QListWidget* Contents() const { return m_contents; }
    QPushButton* BackButton() const { return m_back; }
    QPushButton* ForwardButton() const { return m_forward; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A modal dialog blocks every window but its own: while one is open the help window belongs
    // to it, afterwards it goes back home.
    void FollowModalDialog();
    void Reparent(QWidget* owner);
    void SourceChanged();

    QPointer<QWidget> m_home;
    QPointer<QWidget> m_owner;
    QTextBrowser* m_browser;
    QListWidget* m_contents;
    QPushButton* m_back;
    QPushButton* m_forward;
};

}  // namespace tarvex
