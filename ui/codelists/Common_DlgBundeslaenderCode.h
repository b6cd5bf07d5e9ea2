#pragma once
// "Ländernummer (Inland)": the 17 federal-state entries in their fixed order; the result is the
// two-digit number, "99" for "99 - Ausland".

#include <QDialog>
#include <string>

class QListWidget;

namespace tarvex {

class Common_DlgBundeslaenderCode : public QDialog {
    Q_OBJECT
public:
    explicit Common_DlgBundeslaenderCode(QWidget* parent = nullptr);

    // Replaces the window title when not empty.
    void SetTitle(const std::u16string& title);
    // The preset; empty means "1". A number that names no entry selects nothing.
    void SetCode(const std::u16string& code);
    // The code after OK (the preset when nothing was selected); the preset after Cancel.
    const std::u16string& Code() const { return m_strCode; }

    QListWidget* List() const { return m_pList; }
    void accept() override;

private:
    QListWidget* m_pList;
    std::u16string m_strCode;
};

}  // namespace tarvex
