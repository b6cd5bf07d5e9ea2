#pragma once
// "Programmeinstellungen": the two master-data tables (paths, re-creating one empty) and the
// switch "Papierformat überprüfen". Everything lives in the profile store; OK writes it.

#include <QDialog>
#include <filesystem>
#include <functional>

#include "core/common/HelpContexts.h"
#include "core/masterdata/ProgramOptions.h"

class QCheckBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvex {

class Profile;

class CDlgProgramOptions : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = help::kProgramOptions;
    CDlgProgramOptions(Profile& profile, const std::filesystem::path& dataFolder, QWidget* parent = nullptr);

    // Tests answer the file dialog and the questions themselves.
    void SetFileDialogRunner(std::function<bool(QFileDialog&)> run) { m_runFileDialog = std::move(run); }
    void SetQuestionRunner(std::function<bool(const QString&)> ask) { m_ask = std::move(ask); }

    QLineEdit* AddressPathEdit() const { return m_addressPath; }
    QLineEdit* ArticlePathEdit() const { return m_articlePath; }
    QPushButton* InitAddressesButton() const { return m_initAddresses; }
    QPushButton* InitArticlesButton() const { return m_initArticles; }
    QCheckBox* PaperCheckBox() const { return m_paperCheck; }
    bool InitAddressesChosen() const { return m_options.initAddresses; }
    bool InitArticlesChosen() const { return m_options.initArticles; }

signals:
    void helpRequested();

public slots:
    void accept() override;

private:
    void Browse(QLineEdit* edit);
    void AskInitialise(bool addresses);
    void ShowMark(QLabel* mark, bool chosen);

    Profile& m_profile;
    std::filesystem::path m_dataFolder;
    ProgramOptions m_options;
    std::function<bool(QFileDialog&)> m_runFileDialog;
    std::function<bool(const QString&)> m_ask;
    QLineEdit* m_addressPath;
    QLineEdit* m_articlePath;
    QPushButton* m_initAddresses;
    QPushButton* m_initArticles;
    QLabel* m_addressMark;
    QLabel* m_articleMark;
    QCheckBox* m_paperCheck;
};

}  // namespace tarvex
