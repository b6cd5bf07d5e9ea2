#pragma once
// What the box dialogs behind F2 share: title, a body the dialog fills, and the buttons
// "Übernehmen" (OK), "Abbrechen" and "Hilfe" with their tooltips.

#include <QDialog>
#include <string_view>

class QDialogButtonBox;
class QVBoxLayout;

namespace tarvex {

class CDlgEH_DefaultBase : public QDialog {
    Q_OBJECT
public:
    QDialogButtonBox* Buttons() const { return m_pButtons; }

signals:
    void helpRequested();

protected:
    CDlgEH_DefaultBase(std::u16string_view title, QWidget* parent, std::u16string_view okText = {});
    QVBoxLayout* Body() const { return m_pBody; }
    void showEvent(QShowEvent* event) override;

private:
    QVBoxLayout* m_pBody;
    QDialogButtonBox* m_pButtons;
    bool m_bFocusSet = false;
};

}  // namespace tarvex
