#pragma once
// "Texteingabe": a stamp line of up to three lines, entered in one multi-line edit.

#include <QDialog>
#include <string>

class QPlainTextEdit;

namespace tarvex {

class CDlgTextInput3L : public QDialog {
    Q_OBJECT
public:
    explicit CDlgTextInput3L(QWidget* parent = nullptr);

    // The field's text; leading white space is dropped.
    void SetText(const std::u16string& preset);
    // The edit's text with CR LF line ends, as the field store keeps them.
    std::u16string Text() const;

    QPlainTextEdit* Edit() const { return m_pEdit; }

private:
    QPlainTextEdit* m_pEdit;
};

}  // namespace tarvex
