#pragma once
// "Druckbereich-Korrektur": the horizontal and vertical print-size factors (97 % to 103 %).

#include <QDialog>

class QLineEdit;

namespace tarvex {

class Profile;

class Common_CDlgPrintSizeCorr : public QDialog {
    Q_OBJECT
public:
    Common_CDlgPrintSizeCorr(Profile& profile, int language, QWidget* parent = nullptr);
    QLineEdit* VerticalEdit() const { return m_vertical; }
    QLineEdit* HorizontalEdit() const { return m_horizontal; }

public slots:
    void accept() override;

private:
    Profile& m_profile;
    int m_language;
    QLineEdit* m_vertical;
    QLineEdit* m_horizontal;
};

}  // namespace tarvex
