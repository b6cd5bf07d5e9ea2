#pragma once
// The margin sheet: one page per kind of sheet, each moving the print by 0.5 mm steps.

#include <QDialog>
#include <array>
#include <functional>

#include "core/common/HelpContexts.h"
#include "core/formview/FormViewStrings.h"
#include "core/formview/PrintCorrections.h"

class QLabel;
class QCheckBox;
class QTabWidget;

namespace tarvex {
class Profile;
}

namespace tarvex {

class Common_DlgMargin02 : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = help::kMargins;

    explicit Common_DlgMargin02(int language, QWidget* parent = nullptr);

    // Page count 2..6; any other value is refused with a message and changes nothing.
    bool SetSheetPages(int n);
    void SetSheetTitle(const QString& title) { m_title = title; }
    void SetPageTitle(int page, const QString& title);
    CMarginSheetModel& Model() { return m_model; }

    int exec() override;

    // The margin command of a form view: the form's sheet from the profile,
    // written back after OK only; onHelp answers the "Hilfe" button. Returns the dialog's result.
    // onCalibration, when given, is offered as "Kalibrierblatt..." and gets the margins as they
    // stand in the sheet.
    static int RunMarginCommand(Profile& profile, const FormPrintTraits& form, int language, QWidget* parent,
                                const std::function<void()>& onHelp = {},
                                const std::function<void(const CMarginSheetModel&)>& onCalibration = {});
    void SetCalibration(std::function<void(const CMarginSheetModel&)> onCalibration) {
        m_onCalibration = std::move(onCalibration);
    }

    // Buttons of page p (1-based) for tests.
    void ClickStep(int page, int button);  // 0 L, 1 R, 2 O, 3 U
    QString HorizontalText(int page) const;
    QString VerticalText(int page) const;
    QCheckBox* DontShowBox(int page) const;

signals:
    void helpRequested();

public slots:
    void accept() override;

private:
    void BuildPages();
    void Refresh(int page);
    void TakeCheckBox(int page);

    int m_language;
    QString m_title = QString::fromUtf16(formviewstr::kMarginTitle);
    std::array<QString, 6> m_pageTitles;
    CMarginSheetModel m_model;
    QTabWidget* m_tabs = nullptr;
    struct PageWidgets {
        QLabel* horizontal = nullptr;
        QLabel* vertical = nullptr;
        QCheckBox* dontShow = nullptr;
    };
    std::array<PageWidgets, 6> m_pages{};
    int m_currentPage = 1;
    std::function<void(const CMarginSheetModel&)> m_onCalibration;
};

}  // namespace tarvex
