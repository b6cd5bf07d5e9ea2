#pragma once
// "Aktuelles Datum einfügen": the place in front of today's date in box 54, and whether the
// place is remembered for the next time.

#include <string>

#include "ui/sad/dialogs/CDlgEH_DefaultBase.h"

class QCheckBox;
class QLineEdit;

namespace tarvex {

class CDlgEH_Default54 : public CDlgEH_DefaultBase {
    Q_OBJECT
public:
    explicit CDlgEH_Default54(QWidget* parent = nullptr);

    void SetValues(const std::u16string& place, bool remember);
    std::u16string Place() const;
    bool Remember() const;

    QLineEdit* Edit() const { return m_pEdit; }
    QCheckBox* Check() const { return m_pCheck; }

private:
    QLineEdit* m_pEdit;
    QCheckBox* m_pCheck;
};

}  // namespace tarvex
