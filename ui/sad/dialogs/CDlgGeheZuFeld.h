#pragma once
// "Gehe zu Feld": the clerk types a box number as printed on the form ("8", "17 A", "33-2 B")
// and, on a continuation sheet, picks the goods item; the dialog stays open with a message
// until the number names a box that can take the caret.

#include <QDialog>
#include <functional>
#include <string>

#include "core/common/HelpContexts.h"

class QLabel;
class QLineEdit;
class QSpinBox;

namespace tarvex {

class CDlgGeheZuFeld : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = help::kGoToField;
    // The problem with a label and goods item, empty when the caret can go there.
    using Check = std::function<std::u16string(const std::u16string& label, int item)>;

    // item: the goods item of the caret on a continuation sheet (1-3), 0 on the first sheet.
    CDlgGeheZuFeld(int item, Check check, QWidget* parent = nullptr);

    std::u16string Label() const;
    int Item() const;
    QLineEdit* Edit() const { return m_pEdit; }
    QLabel* Message() const { return m_pMessage; }

signals:
    void helpRequested(int context);

public slots:
    void accept() override;

private:
    Check m_check;
    QLineEdit* m_pEdit;
    QSpinBox* m_pItem = nullptr;
    QLabel* m_pMessage;
};

}  // namespace tarvex
