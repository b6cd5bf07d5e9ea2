#pragma once
// "Feld 44": the special remarks of box 44 (five lines, the first kept free for the input-tax
// remark) and the input-tax check box.

#include <QDialog>
#include <string>

class QCheckBox;
class QPlainTextEdit;

namespace tarvex {

class CDlgFeld44Einfuhr : public QDialog {
    Q_OBJECT
public:
    explicit CDlgFeld44Einfuhr(QWidget* parent = nullptr);

    // Presets: the box text, the first-line reservation and the input-tax flag. Without the
    // reservation the check box is hidden and the edit shows all five lines.
    void SetValues(const std::u16string& boxText, bool reserveFirstLine, bool inputTax);
    std::u16string Text() const;
    bool InputTax() const;

    QPlainTextEdit* Edit() const { return m_pEdit; }
    QCheckBox* Check() const { return m_pCheck; }

signals:
    void helpRequested(int context);

private:
    QPlainTextEdit* m_pEdit;
    QCheckBox* m_pCheck;
    bool m_bReserve = true;
    int m_nEditHeight = 0;
};

}  // namespace tarvex
