#pragma once
// "Info über Tarvex-Import": picture, version, the publisher's contact data, a link to the
// homepage and the way to the support information. A borderless window without title bar.

#include <QDialog>
#include <functional>

#include "core/common/HelpContexts.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tarvex {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = help::kAbout;

    explicit CAboutDlg(const QString& version, QWidget* parent = nullptr);

    QString VersionText() const;
    QPushButton* LinkButton() const { return m_pLink; }
    QPushButton* SysInfoButton() const { return m_pSysInfo; }

    // The homepage command (after the dialog has closed) and the support dialog.
    std::function<void()> m_openHomepage;
    std::function<void()> m_showSupportInfo;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_pVersion;
    QPushButton* m_pLink;
    QPushButton* m_pSysInfo;
};

}  // namespace tarvex
