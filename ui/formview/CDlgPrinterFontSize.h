#pragma once
// "Schriftgrößen für Druck": printer font percentages of each form (50 to 150).

#include <QDialog>
#include <vector>

#include "core/common/HelpContexts.h"

class QSpinBox;

namespace tarvex {

class Profile;
struct FormPrintTraits;

class CDlgPrinterFontSize : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = help::kPrinterFontSize;
    // One row per form, in the order given.
    CDlgPrinterFontSize(Profile& profile, std::vector<const FormPrintTraits*> forms,
                        QWidget* parent = nullptr);
    QSpinBox* Spin(int row) const { return m_spins[static_cast<size_t>(row)]; }

signals:
    void helpRequested();

public slots:
    void accept() override;

private:
    Profile& m_profile;
    std::vector<const FormPrintTraits*> m_forms;
    std::vector<QSpinBox*> m_spins;
};

}  // namespace tarvex
